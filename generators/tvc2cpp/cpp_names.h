#pragma once
// C++ identifier rules of the C++ generator, all in one place: chart names become valid,
// unreserved identifiers, and one name table keeps every member of a machine class distinct.

#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

namespace cppnames {

// The members every machine class has: its public API, then the generator's own names (all
// ending in '_'). Chart names are kept apart from them.
inline constexpr std::string_view cMachineMembers[] = {
    "start",         "isFinished", "setTrace",   "TraceFn",     "StateId",    "EventId",
    "RunGuard_",     "None_",      "ctx_",       "active_",     "started_",   "finished_",
    "busy_",         "queue_",     "queueHead_", "queueCount_", "dispatch_",  "drain_",
    "enqueue_",      "process_",   "react_",     "exit_",       "exitTo_",    "enter_",
    "enterDefault_", "parentOf_",  "trace_",     "traceFn_",    "traceUser_", "traceToStderr_",
    "eventName_"};

bool isKeyword(std::string_view word);

// A valid identifier for a chart name: the front end's formatFuncName, then '-' to '_' (the
// front end keeps it), runs of '_' folded into one and a leading digit or '_' behind an 'n'
// (both would make the name invalid or reserved). An empty name becomes "unnamed".
std::string identifier(const std::string& name);

// A C++ string literal, quotes included, that reads back as the bytes of the text.
std::string stringLiteral(std::string_view text);
// The text made safe for a // comment: control characters and backslashes replaced.
std::string commentText(std::string_view text);

// The identifiers of one class scope. Names ending in '_' are the generator's own members;
// chart names never take them.
class NameTable {
public:
    void reserve(std::string_view word) { reservedWords.emplace(word); }

    // The identifier for a name, claimed together with each suffixed form (a state's
    // functions). A keyword or reserved word gains a trailing '_'; a name taken already gains
    // "_2", "_3", ... in the order names are claimed, so the result is deterministic.
    std::string claim(const std::string& name,
                      std::initializer_list<std::string_view> suffixes = {});

private:
    bool isFree(const std::string& candidate,
                std::initializer_list<std::string_view> suffixes) const;

    std::set<std::string, std::less<>> reservedWords;
    std::set<std::string, std::less<>> used;
};

} // namespace cppnames
