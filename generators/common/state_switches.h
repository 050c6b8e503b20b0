#pragma once
// The switches over a state that every generated machine has: entry and exit actions,
// default entry, the parent table and an event's search. Which states get a case and in
// what order is decided here; the language's StepSyntax spells the statements. The
// languages written share the C family's switch, so switch, case, break and return are
// spelled here. Each writer writes at the printer's depth, case labels level with the
// switch.

#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"

#include <functional>
#include <string>
#include <string_view>

class CodePrinter;

namespace genchart {

// enter_'s switch over the state `s`: the entry trace and entry action of each state that
// has either.
void writeEnterSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                      std::string_view s);

// exit_'s switch over the state `s`: a state with history remembers `child`, the direct
// sub-state that was active; then the exit trace and exit action.
void writeExitSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                     std::string_view s, std::string_view child);

// parentOf_'s switch over the state `s`: each state's parent, else the top level.
void writeParentSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                       std::string_view s);

// enterDefault_'s body: below the innermost active state, enters its history, else its
// initial state, until a state has neither.
void writeDefaultEntry(CodePrinter& p, const Chart& chart, const StepSyntax& syntax);

// Default entry below `state` written out, for code that knows `state` is the innermost active
// one: a state with history switches over the remembered sub-state (its initial state when
// none is remembered), any other enters its initial state, down to a state with neither.
// `entered` spells the entry notification of the state $s$.
void writeKnownDefaultEntry(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                            std::string_view entered, int state);

// The switch over the innermost active state that searches for the event (any event when
// null), spelt `e`: sets the local fired from the reactions of the state and its
// ancestors, innermost first.
void writeSearchSwitch(CodePrinter& p, const Chart& chart, const Event* event, std::string_view e,
                       const StepSyntax& syntax);

// How one language spells an event's written-out search: the case label of a state, the
// comment above each candidate (with $source$, $event$, $target$) in the language's comment
// text, the opening of a guarded candidate (with $guard$), the statement that records the
// firing, and the firing's steps from the known innermost active state.
struct FlatSyntax {
    std::function<std::string(int)> stateRef;
    std::string comment;
    std::function<std::string(std::string_view)> commentText;
    std::string guarded;
    std::string fired;
    std::function<void(CodePrinter&, int source, const Branch&, int active)> writeSteps;
};

// The cases of the switch over the innermost active state that handles `event` with each
// reaction written out: for each state that reacts, its candidates and its ancestors', innermost
// first, down to the first unguarded one.
void writeFlatCases(CodePrinter& p, const Chart& chart, const Event& event,
                    const FlatSyntax& syntax);

// complete_'s body, run after every transition that fired: the composite just completed, else
// the innermost active state when it has no sub-states (it was just entered), tries its
// completion transitions; one that fires may complete the next state, and so on.
void writeCompletionLoop(CodePrinter& p, const Chart& chart, const StepSyntax& syntax);

} // namespace genchart
