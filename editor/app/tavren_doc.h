#pragma once
// One open model file. The chart belongs to the document's view; the document reads and writes
// it through the view, reports failures in one message form, and counts as modified while the
// chart's file text differs from the text it had when last loaded, created or saved.

#include <functional>
#include <string>

class LayoutMgr;

class CTavrenDoc {
public:
    explicit CTavrenDoc(LayoutMgr& view);

    const std::string& GetPathName() const { return pathName; }
    const std::string& GetTitle() const { return title; }
    // The title becomes the file's name.
    void SetPathName(const std::string& path);
    void SetTitle(const std::string& text) { title = text; }

    bool IsModified() const;
    // Kept for the framework's sake; IsModified does not consult it.
    void SetModifiedFlag(bool modified = true) { modifiedFlag = modified; }

    bool OnNewDocument();
    // A zero-byte file opens as a new empty chart. Failures are reported before returning false.
    bool OnOpenDocument(const std::string& path);
    // Writes beside the target and replaces it only once the whole chart is written, so a
    // failed save leaves the previous file intact. Failures are reported before returning false.
    bool OnSaveDocument(const std::string& path);
    void TakeSnapshot();
    // An SCXML document read into this (new) document. What the chart cannot hold is listed
    // and dropped only when the user agrees. Failures are reported before returning false.
    bool OnImportDocument(const std::string& path);
    // A chart that is in no file yet, such as an imported one: closing it asks to save.
    void ForgetSnapshot() { snapshot.clear(); }
    void ReportFailure(const std::string& path, const std::string& reason) const;

    // Save: to the document's path, or through the Save As dialog when it has none. False
    // when the user cancels or saving fails.
    bool DoFileSave();
    // Save As when path is empty; on success the document takes the path.
    bool DoSave(const std::string& path);
    // The prompt on closing a modified document: Yes saves, No discards; false on Cancel or
    // when the save fails.
    bool SaveModified();

    // Told whenever the document takes a new path (open, Save As).
    std::function<void(const std::string&)> onPathChanged;

private:
    std::string chartText() const;

    LayoutMgr& view;
    std::string snapshot;
    std::string pathName;
    std::string title;
    bool modifiedFlag = false;
};
