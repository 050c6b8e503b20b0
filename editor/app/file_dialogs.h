#pragma once
// The file choosers of the editor's documents, behind an interface so tests can answer them.
// Each returns the chosen path, or an empty string when the user cancels.

#include <string>

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    virtual std::string openChart(const std::string& folder) = 0;
    // suggested: the document's path, or its title for a document never saved.
    virtual std::string saveChart(const std::string& suggested) = 0;
    virtual std::string exportChart(const std::string& suggested) = 0;
    // A trace written by a machine generated with -g, to replay in Simulate mode.
    virtual std::string openTrace(const std::string& folder) = 0;
    // An SCXML document to import as a new chart.
    virtual std::string openScxml(const std::string& folder) = 0;
};

// The editor's dialogs until something else is installed; installed objects are not owned and
// null restores the default.
FileDialogs& fileDialogs();
void installFileDialogs(FileDialogs* impl);
