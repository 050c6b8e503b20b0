#pragma once
// What a firing transition and an event's search do, decided once for every language: the
// emitters only spell the steps out in their own syntax.

#include "generators/common/machine_chart.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CodePrinter;

namespace genchart {

constexpr int cExitedChild = -3; // Step::child: the state that ExitBelow exited last

// One statement of a firing transition, in the order they run.
struct Step {
    enum Kind {
        ExitBelow,    // exit what is active below `state` (composite), known only at run time
        Exit,         // exit `state`: its parent becomes active; history remembers `child`
        Fire,         // the transition fires (only traced)
        Effect,       // call `fn`
        Finish,       // the top level has reached a final state
        Enter,        // enter `state`
        EnterDefault, // default entry below the active state, history decided at run time
        Complete,     // `state`, a composite, has completed: its completion transitions follow
    };
    Kind kind;
    int state = cTopLevel;
    int child = cTopLevel;  // Exit: the direct sub-state to remember
    bool keepChild = false; // ExitBelow: the state above keeps history and needs the child
    std::string fn;         // Exit, Effect, Enter: the user-code function, empty for none
    std::string trace;      // the trace line, empty for none
};

// The innermost state strictly containing both, or the top level.
int commonAncestor(const Chart& chart, int source, int target);

// Everything the branch of state `source` runs once its guard holds: exits, effect, entries
// down to the target and the default entry that can be decided here.
std::vector<Step> transitionSteps(const Chart& chart, int source, const Branch& branch,
                                  const Event& event);

// The state that completes once the branch of `source` has fired, when it has completion
// transitions and is known without running the machine; cTopLevel otherwise.
int completedBy(const Chart& chart, const Branch& branch);

// A cycle of unguarded completion transitions, each leading to the next state's completion,
// as its states with the first repeated at the end; empty when there is none.
std::vector<int> completionCycle(const Chart& chart);

// The states asked, innermost first, when `active` is the innermost active state: it and
// its ancestors that have transitions for the event (for any event when event is null).
std::vector<int> searchChain(const Chart& chart, int active, const Event* event);

// How a language spells the steps, and the statements of the per-state switches
// (state_switches.h), one template each: $s$ is a state, $id$ its identifier, $child$ the
// remembered sub-state, $fn$ a function of the chart's code, $line$ a literal, $e$ an event.
struct StepSyntax {
    std::string exitBelow;     // exitTo_($s$)
    std::string exitBelowKeep; // the same, keeping the result as the local child
    std::string setActive;     // active_ = $s$
    std::string setHistory;    // $id$_history_ = $child$
    std::string finish;
    std::string enterDefault;
    // Only in charts with completion transitions: the member naming a composite that has
    // just completed, set and read, and the call of a state's completion function $fn$.
    std::string complete;     // completing_ = $s$
    std::string completing;   // completing_, read
    std::string completeCall; // $fn$()
    std::string call;         // $fn$(...)
    std::string trace;        // trace_($line$), written only when the chart traces
    // Only in the per-state switches.
    std::string stateType;                    // StateId: a local variable holding a state
    std::string active;                       // active_, read
    std::string history;                      // $id$_history_, read
    std::string enter;                        // enter_($s$)
    std::string react;                        // $fn$($e$): a state's reaction to an event
    std::string guard;                        // $guard$(...): a branch's guard, as a condition
    std::string fired;                        // return true: a branch that fired
    std::function<std::string(int)> stateRef; // a state, or none for cTopLevel
    std::function<std::string(std::string_view)> literal; // a string literal
};

void writeSteps(CodePrinter& p, const Chart& chart, const std::vector<Step>& steps,
                const StepSyntax& syntax);

// One branch of a state's reaction: its guard (when it has one) around the transition's steps
// and the return that reports it fired.
void writeBranch(CodePrinter& p, const Chart& chart, const State& state, const Branch& branch,
                 const Event& event, const StepSyntax& syntax);

// The most lines an event's written-out search may take before the compact one replaces it:
// `fallback`, unless the environment's TAVREN_FLAT_LINES gives a number, as the tests do to
// run charts through the compact search.
std::size_t flatLineLimit(std::size_t fallback);

} // namespace genchart
