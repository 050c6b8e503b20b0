#pragma once
// The most recently opened or saved charts, newest first, kept in the settings under
// "Recent File List" as "File1" ... "File6".

#include <string>
#include <vector>

class RecentFiles {
public:
    static constexpr std::size_t cMaxFiles = 6;

    // Reads the list from the settings.
    RecentFiles();

    const std::vector<std::string>& files() const { return list; }
    // Moves path to the front (dropping the oldest beyond cMaxFiles) and stores the list.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void store() const;

    std::vector<std::string> list;
};
