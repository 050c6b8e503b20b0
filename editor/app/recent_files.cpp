#include "editor/app/recent_files.h"

#include "platform/services.h"

#include <algorithm>

namespace {
const std::string cSection = "Recent File List";

std::string entryName(std::size_t index) {
    return "File" + std::to_string(index + 1);
}
} // namespace

RecentFiles::RecentFiles() {
    for (std::size_t i = 0; i < cMaxFiles; ++i) {
        std::optional<std::string> path = platform::settings().readString(cSection, entryName(i));
        if (path && !path->empty())
            list.push_back(*path);
    }
}

void RecentFiles::add(const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > cMaxFiles)
        list.resize(cMaxFiles);
    store();
}

void RecentFiles::remove(const std::string& path) {
    std::erase(list, path);
    store();
}

void RecentFiles::store() const {
    for (std::size_t i = 0; i < cMaxFiles; ++i)
        platform::settings().writeString(cSection, entryName(i), i < list.size() ? list[i] : "");
}
