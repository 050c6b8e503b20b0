#pragma once
// Shared pieces of the application's tests: temporary installations and files, bitmap bytes,
// and file dialogs that answer from a script.

#include "editor/app/file_dialogs.h"

#include <deque>
#include <filesystem>
#include <string>

namespace testsupport {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A bottom-up 24-bit bitmap file; pixel (x, y) gets red x, green y, blue 7.
std::string bmp24(int width, int height);

// A fresh folder that is removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return dir; }
    // The folder as an installation home: with its trailing '/'.
    std::string home() const { return dir.string() + "/"; }
    // Writes a valid splash image under bin/.
    void installSplash() const;

private:
    std::filesystem::path dir;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<std::string> answers; // empty answers cancel; cancels when none left
    std::deque<std::string> suggestions;

    std::string openChart(const std::string& folder) override { return next(folder); }
    std::string saveChart(const std::string& suggested) override { return next(suggested); }
    std::string exportChart(const std::string& suggested) override { return next(suggested); }
    std::string openTrace(const std::string& folder) override { return next(folder); }
    std::string openScxml(const std::string& folder) override { return next(folder); }

    ScriptedFileDialogs() { installFileDialogs(this); }
    ~ScriptedFileDialogs() override { installFileDialogs(nullptr); }

private:
    std::string next(const std::string& suggested);
};

} // namespace testsupport
