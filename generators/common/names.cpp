#include "generators/common/names.h"

#include "codegen/file_writer.h"

#include <algorithm>

namespace gennames {

std::string identifier(const std::string& name) {
    const std::string formatted = FileWriter::formatFuncName(name);
    std::string id;
    for (char c : formatted) {
        if (c == '-')
            c = '_';
        if (c == '_' && !id.empty() && id.back() == '_')
            continue;
        id += c;
    }
    if (id.empty())
        return "unnamed";
    if (id.front() == '_' || (id.front() >= '0' && id.front() <= '9'))
        id.insert(id.begin(), 'n');
    return id;
}

std::string commentText(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        safe += (byte < 0x20 || byte == 0x7f) ? '?' : c == '\\' ? '/' : c;
    }
    return safe;
}

bool NameTable::isKeyword(std::string_view word) const {
    return std::find(keywords.begin(), keywords.end(), word) != keywords.end();
}

std::string NameTable::claim(const std::string& name,
                             std::initializer_list<std::string_view> suffixes) {
    const std::string base = identifier(name);
    std::string chosen;
    if (!isKeyword(base) && !reservedWords.count(base) && isFree(base, suffixes)) {
        chosen = base;
    } else if (base.back() != '_' && isFree(base + "_", suffixes) &&
               (isKeyword(base) || reservedWords.count(base))) {
        chosen = base + "_";
    } else {
        const std::string separator = base.back() == '_' ? "" : "_";
        for (int n = 2;; ++n) {
            chosen = base + separator + std::to_string(n);
            if (isFree(chosen, suffixes))
                break;
        }
    }
    used.insert(chosen);
    for (std::string_view suffix : suffixes)
        used.insert(chosen + std::string(suffix));
    return chosen;
}

std::string NameTable::claimStable(const std::string& id, const std::string& chartName,
                                   std::string_view what) {
    // Only the language and the machine's own names decide a renaming, never other chart
    // names. A second trailing '_' would make a double underscore, reserved in C and C++.
    std::string chosen = id;
    if (isKeyword(id) || reservedWords.count(id) > 0) {
        const std::string base = id.back() == '_' ? id : id + "_";
        chosen = base;
        for (int n = 2; isKeyword(chosen) || reservedWords.count(chosen) > 0; ++n)
            chosen = base + std::to_string(n);
    }
    const std::string kind(what);
    if (const auto owner = stableOwners.find(chosen); owner != stableOwners.end())
        throw "The " + kind + "s \"" + owner->second + "\" and \"" + chartName +
            "\" would both be named " + chosen + "; rename one of them.";
    stableOwners.emplace(chosen, chartName);
    used.insert(chosen);
    return chosen;
}

bool NameTable::isFree(const std::string& candidate,
                       std::initializer_list<std::string_view> suffixes) const {
    const auto taken = [&](const std::string& id) {
        return used.count(id) > 0 || reservedWords.count(id) > 0;
    };
    if (taken(candidate))
        return false;
    for (std::string_view suffix : suffixes)
        if (taken(candidate + std::string(suffix)))
            return false;
    return true;
}

} // namespace gennames
