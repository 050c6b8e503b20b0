#pragma once
// The chart as the C++ emitter needs it: states in depth-first order with indices for parent,
// children and targets, C++ identifiers already chosen, each state's transitions grouped by
// event in dispatch order.

#include <string>
#include <vector>

namespace cppchart {

constexpr int cTopLevel = -1; // the chart itself, parent of the top-level states
constexpr int cFinal = -2;    // a transition's target when it is a final state

// User code runs in functions at file scope, outside the machine class, so that it sees the
// context as ctx and the global scope, never the machine's members (an event named "timer"
// must not hide a global timer). Each function name is empty when there is no code.
struct Branch {
    std::string guard; // empty: always holds
    std::string effect;
    int target = cFinal;
    std::string guardFn;
    std::string effectFn;
};

struct EventGroup {
    int event = 0; // index into Chart::events
    std::vector<Branch> branches;
};

struct State {
    std::string className; // as the chart names it; used in traces
    std::string id;        // the C++ identifier: enumerator and prefix of its functions
    int parent = cTopLevel;
    std::vector<int> children;
    int initial = -1; // the initial state's target, -1 when there is none
    bool history = false;
    std::string onEntry;
    std::string onExit;
    std::string entryFn;
    std::string exitFn;
    std::string reactFn; // the member trying its transitions
    std::vector<EventGroup> events;
};

struct Event {
    std::string name; // as the chart writes it
    std::string id;   // the member function that raises it
};

struct Chart {
    std::string sourceName; // the model file's name, for the banner
    std::string modelName;
    std::string rootClass;
    std::string headerFileName;
    std::string ctxHeader;
    std::string ctxType;
    std::string includes;
    std::string declarations;
    std::vector<Event> events;
    std::vector<State> states;
    int initial = -1; // the top level's initial target
    bool trace = false;
};

} // namespace cppchart
