#include "editor/app/tavren_doc.h"

#include "editor/app/file_dialogs.h"
#include "generators/tvc2scxml/scxml_import.h"
#include "model/res_strings.h"
#include "platform/services.h"
#include "view/layout_mgr.h"

#include <QCursor>
#include <QGuiApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class WaitCursor {
public:
    WaitCursor() {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor() {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string systemError(int error) {
    return error != 0 ? std::strerror(error) : LoadResString(IDS_UNKNOWN_ERROR);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes text to a new file beside target and renames it over target. The reason on failure.
std::optional<std::string> replaceFile(const std::string& path, const std::string& text) {
    const std::string cannotOpen = LoadResString(IDS_OPEN_FOR_WRITING_FAILED);
    std::error_code ec;
    fs::path target = path;
    // Save into the file a link points at rather than replacing the link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A read-only or special target is refused, as opening it for writing would be.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return cannotOpen;

    static std::atomic<unsigned> counter{0};
    const std::string temp =
        target.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return cannotOpen;
    if (exists)
        ::fchmod(fd, existing.st_mode & 07777);
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temp.c_str());
        return systemError(error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return systemError(error);
    }
    return std::nullopt;
}

} // namespace

CTavrenDoc::CTavrenDoc(LayoutMgr& chartView) : view(chartView) {}

void CTavrenDoc::SetPathName(const std::string& path) {
    pathName = path;
    title = fs::path(path).filename().string();
    if (onPathChanged)
        onPathChanged(path);
}

std::string CTavrenDoc::chartText() const {
    std::ostringstream out;
    try {
        view.write(out, LayoutMgr::cDefaultJumping);
    } catch (...) {
        // What was written so far stands for the chart.
    }
    return out.str();
}

bool CTavrenDoc::IsModified() const {
    return chartText() != snapshot;
}

void CTavrenDoc::TakeSnapshot() {
    std::ostringstream out;
    try {
        view.write(out, LayoutMgr::cDefaultJumping);
    } catch (...) {
        return;
    }
    snapshot = out.str();
}

bool CTavrenDoc::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

bool CTavrenDoc::OnOpenDocument(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size == 0)
        return OnNewDocument();

    errno = 0;
    std::ifstream in(path);
    if (!in) {
        ReportFailure(path, systemError(errno));
        return false;
    }
    std::optional<std::string> failure;
    {
        WaitCursor wait;
        try {
            view.read(in);
        } catch (const std::string& text) {
            failure = text;
        } catch (...) {
            failure = LoadResString(IDS_UNKNOWN_ERROR);
        }
    }
    if (failure) {
        ReportFailure(path, *failure);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CTavrenDoc::OnImportDocument(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ReportFailure(path, systemError(errno));
        return false;
    }
    // One byte past the importer's limit is enough for it to refuse the document.
    std::string document(scxmlimport::cMaxBytes + 1, '\0');
    in.read(document.data(), static_cast<std::streamsize>(document.size()));
    document.resize(static_cast<std::size_t>(in.gcount()));

    // Read once, leniently: what would have failed a strict import is what was dropped.
    const scxmlimport::Result result = scxmlimport::importScxml(document, true);
    const auto listed = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\n") + line;
        return text;
    };
    if (!result.ok) {
        ReportFailure(path, result.problems.empty() ? LoadResString(IDS_UNKNOWN_ERROR)
                                                    : listed(result.problems));
        return false;
    }
    if (!result.dropped.empty()) {
        const std::string question = path +
                                     "\n\nA chart cannot hold these parts of the document:\n" +
                                     listed(result.dropped) + "\n\nImport the rest without them?";
        if (platform::messageBoxes().show(question, MsgButtons::YesNo, MsgIcon::Question,
                                          MsgResult::No) != MsgResult::Yes)
            return false;
    }
    std::istringstream chart(result.modelText);
    try {
        view.read(chart);
    } catch (const std::string& text) {
        ReportFailure(path, text);
        return false;
    }
    return true;
}

bool CTavrenDoc::OnSaveDocument(const std::string& path) {
    std::optional<std::string> failure;
    {
        WaitCursor wait;
        std::ostringstream out;
        try {
            view.write(out);
            failure = replaceFile(path, out.str());
        } catch (const std::string& text) {
            failure = text;
        } catch (...) {
            failure = LoadResString(IDS_UNKNOWN_ERROR);
        }
        if (!failure)
            TakeSnapshot();
    }
    if (failure) {
        ReportFailure(path, *failure);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CTavrenDoc::ReportFailure(const std::string& path, const std::string& reason) const {
    platform::messageBoxes().show(path + "\n\n" + LoadResString(IDS_COMMAND_FAILED) + reason,
                                  MsgButtons::Ok, MsgIcon::Stop, MsgResult::Ok);
}

bool CTavrenDoc::DoFileSave() {
    return DoSave(pathName);
}

bool CTavrenDoc::DoSave(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        target = fileDialogs().saveChart(pathName.empty() ? title : pathName);
        if (target.empty())
            return false;
    }
    if (!OnSaveDocument(target))
        return false;
    if (target != pathName)
        SetPathName(target);
    return true;
}

bool CTavrenDoc::SaveModified() {
    if (!IsModified())
        return true;
    QString text = QString::fromStdString(LoadResString(IDS_ASK_TO_SAVE));
    text = text.arg(QString::fromStdString(pathName.empty() ? title : pathName));
    switch (platform::messageBoxes().show(text.toStdString(), MsgButtons::YesNoCancel,
                                          MsgIcon::Warning, MsgResult::Yes)) {
    case MsgResult::Yes:
        return DoFileSave();
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}
