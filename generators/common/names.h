#pragma once
// Identifier rules every generator shares: chart names become identifiers, and a name table
// keeps the names of one scope distinct from each other and from the language's keywords.

#include <initializer_list>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace gennames {

// A valid identifier for a chart name: the front end's formatFuncName, then '-' to '_' (the
// front end keeps it), runs of '_' folded into one and a leading digit or '_' behind an 'n'
// (both would make the name invalid or reserved). An empty name becomes "unnamed".
std::string identifier(const std::string& name);

// The text made safe for a // comment: control characters and backslashes replaced.
std::string commentText(std::string_view text);

// The identifiers of one scope. Names ending in '_' are the generator's own; chart names
// never take them.
class NameTable {
public:
    explicit NameTable(std::span<const std::string_view> languageKeywords)
        : keywords(languageKeywords) {}

    void reserve(std::string_view word) { reservedWords.emplace(word); }

    // An empty scope with the same keywords.
    NameTable sibling() const { return NameTable(keywords); }

    // The identifier for a name, claimed together with each suffixed form (a state's
    // functions). A keyword or reserved word gains a trailing '_'; a name taken already gains
    // "_2", "_3", ... in the order names are claimed, so the result is deterministic.
    std::string claim(const std::string& name,
                      std::initializer_list<std::string_view> suffixes = {});

    // A public name that must keep its meaning whatever else the chart holds: `id` as it is,
    // or, when it is a keyword or reserved word, with a trailing '_' (then "_2", ... while
    // that is reserved too). Claim these before anything else in the table: when the result
    // is another chart name's already, the chart is refused with a message naming both
    // (`what` is "event", ...), never numbered.
    std::string claimStable(const std::string& id, const std::string& chartName,
                            std::string_view what);

private:
    bool isKeyword(std::string_view word) const;
    bool isFree(const std::string& candidate,
                std::initializer_list<std::string_view> suffixes) const;

    std::span<const std::string_view> keywords;
    std::set<std::string, std::less<>> reservedWords;
    std::set<std::string, std::less<>> used;
    std::map<std::string, std::string, std::less<>> stableOwners; // identifier to chart name
};

} // namespace gennames
