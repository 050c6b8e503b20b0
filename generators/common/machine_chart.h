#pragma once
// The chart as every state-machine emitter needs it: states in depth-first order with indices
// for parent, children and targets, identifiers already chosen by the language, each state's
// transitions grouped by event in dispatch order.

#include <string>
#include <vector>

namespace genchart {

constexpr int cTopLevel = -1; // the chart itself, parent of the top-level states
constexpr int cFinal = -2;    // a transition's target when it is a final state

// User code runs in functions of its own, so that it sees the context as ctx and never the
// machine's internals in place of its own names. Each function name is empty when there is
// no code.
struct Branch {
    std::string guard; // empty: always holds
    std::string effect;
    int target = cFinal;
    std::string guardFn;
    std::string effectFn;
    long transitionId = 0; // the chart's object id of the transition
    // For a final target: the state whose region the final state is drawn in, or the top
    // level; that region completes.
    int completes = cTopLevel;
};

struct EventGroup {
    int event = 0; // index into Chart::events
    std::vector<Branch> branches;
};

struct State {
    std::string className; // as the chart names it; used in traces
    std::string id;        // the identifier: state constant and prefix of its functions
    int parent = cTopLevel;
    std::vector<int> children;
    int initial = -1; // the initial state's target, -1 when there is none
    bool history = false;
    std::string onEntry;
    std::string onExit;
    std::string entryFn;
    std::string exitFn;
    std::string reactFn; // the function trying its transitions
    long shapeId = 0;    // the chart's object id of the state
    std::vector<EventGroup> events;
    // Transitions without an event, in dispatch order: tried once when the state completes
    // (a simple state on entry, a composite when a final state drawn in it is reached).
    std::vector<Branch> completion;
    std::string completeFn; // the function trying them, empty when there are none
};

// A parameter as the chart writes it, in the target language's syntax.
struct Parameter {
    std::string type;
    std::string name;
};

struct Event {
    std::string name;      // as the chart writes it, without the parameter list
    std::string id;        // the function that raises it
    std::string signature; // the parameter list as written, without parentheses
    std::vector<Parameter> parameters;
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
    // What the observer and the trace name a completion transition's event by: no name, and
    // an identifier no chart event takes. Not one of `events`: nobody can send it.
    Event completion;
    std::vector<State> states;
    int initial = -1; // the top level's initial target
    bool trace = false;

    // A chart without transitions lacking an event keeps the code it had before they existed.
    bool hasCompletion() const {
        for (const State& state : states)
            if (!state.completion.empty())
                return true;
        return false;
    }

    // A chart without parameterised events keeps the plain event queue and dispatch.
    bool hasParameters() const {
        for (const Event& event : events)
            if (!event.parameters.empty())
                return true;
        return false;
    }
};

} // namespace genchart
