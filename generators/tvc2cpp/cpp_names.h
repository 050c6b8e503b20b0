#pragma once
// C++ identifier rules of the C and C++ generators, all in one place: the words no chart
// name may take, the machine class's own members and string literals.

#include <span>
#include <string>
#include <string_view>

namespace cppnames {

// The members every machine class has: its public API, then the generator's own names (all
// ending in '_'). Chart names are kept apart from them.
inline constexpr std::string_view cMachineMembers[] = {
    "start",       "isFinished", "isIn",           "activeState",   "dispatch",  "nameOf",
    "setObserver", "Observer",   "State",          "Event",         "Result",    "setTrace",
    "TraceFn",     "StateId",    "EventId",        "RunGuard_",     "None_",     "ctx_",
    "active_",     "started_",   "finished_",      "busy_",         "queue_",    "queueHead_",
    "queueCount_", "dispatch_",  "drain_",         "enqueue_",      "process_",  "react_",
    "exit_",       "exitTo_",    "enter_",         "enterDefault_", "parentOf_", "trace_",
    "traceFn_",    "traceUser_", "traceToStderr_", "eventName_",    "observer_", "QueueSize_",
    "Trace_",      "Args",       "Message"};

// C++20 keywords and alternative tokens, the standard macros a generated file or the headers
// it includes may define, and the lower-case macros compilers predefine in their GNU modes
// (unix, linux, ...): none of them can name a member.
std::span<const std::string_view> keywords();

// A C++ string literal, quotes included, that reads back as the bytes of the text.
std::string stringLiteral(std::string_view text);

} // namespace cppnames
