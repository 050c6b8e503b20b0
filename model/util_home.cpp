#include "model/util.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool isBinComponentAt(const std::string& path, std::size_t pos) {
    static constexpr char cBin[] = "bin/";
    if (pos > 0 && path[pos - 1] != '/')
        return false;
    if (path.size() - pos < 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto c = static_cast<unsigned char>(path[pos + i]);
        if (std::tolower(c) != cBin[i])
            return false;
    }
    return true;
}

} // namespace

std::string Util::homeDirFromExecutable(const std::string& exePath) {
    for (std::size_t pos = 0; pos < exePath.size(); ++pos) {
        if (isBinComponentAt(exePath, pos)) {
            // A relative "bin/..." path: home is the current folder, and "./" keeps that
            // apart from the empty answer that means "unknown".
            return pos == 0 ? std::string("./") : exePath.substr(0, pos);
        }
    }
    return exePath;
}

std::string Util::get_tn_home_dir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return homeDirFromExecutable(exe.string());
}
