#pragma once
// Writes the C99 state machine of a chart: a plain struct, its enumerations, observer and
// functions in the header, the run-to-completion logic in the source file. Nothing is
// allocated.

#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class CodePrinter;

namespace cnames {

// The words an event must not take: the event's function is <root>_<id>, beside these
// <root>_ names of the header (functions, types, macros).
inline constexpr std::string_view cApiWords[] = {
    "init",     "start",       "isFinished", "dispatch",  "isIn",    "activeState",
    "setTrace", "setObserver", "stateName",  "eventName", "State",   "Event",
    "Result",   "Observer",    "TraceFn",    "HANDLED",   "IGNORED", "QUEUED",
    "DROPPED",  "H",           "QUEUE_SIZE", "INIT_",     "INIT2_"};

// The text made safe inside a C comment: no control character, no backslash or trigraph that
// could splice the next line, and no "*/" or "/*".
std::string commentText(std::string_view text);

// Above this many lines an event's function falls back to the compact search, which calls each
// state's reaction and walks the exits and default entries at run time.
inline constexpr std::size_t kFlatLines = 600;

} // namespace cnames

class CEmitter {
public:
    explicit CEmitter(const genchart::Chart& model);

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

    // Every name the two files give at file scope, the chart's included; a name listed twice
    // is a clash the chart's names caused.
    std::vector<std::string> fileScopeNames() const;

private:
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard, const genchart::Event* event = nullptr) const;
    void writeTables(CodePrinter& p) const;
    void writeObserverCalls(CodePrinter& p) const;
    void writeTraceLayer(CodePrinter& p) const;
    void writeRuntime(CodePrinter& p) const;
    void writeEventFunctions(CodePrinter& p) const;
    // dispatch and dispatchMessage of a chart whose events carry arguments.
    void writeMessageDispatch(CodePrinter& p) const;
    std::string eventParameter() const;
    // exit_ and exitTo_: only written when a transition leaves a composite state.
    void writeExitHelpers(CodePrinter& p) const;
    void writeReact(CodePrinter& p, const genchart::State& state) const;
    // complete_ and each state's function trying its completion transitions.
    void writeCompletion(CodePrinter& p) const;
    void writeBranch(CodePrinter& p, int source, const genchart::Branch& branch,
                     const genchart::Event& event) const;
    genchart::StepSyntax stepSyntax() const;
    void writeSearch(CodePrinter& p, const genchart::Event* event) const;
    // The event's search with each active state's reactions written out in its case, exits
    // and history entries known (as tvc2cpp does); empty above cnames::kFlatLines lines.
    std::string flatSearch(const genchart::Event& event) const;
    void writeSteps(CodePrinter& p, const std::vector<genchart::Step>& steps,
                    const genchart::Branch& branch, const genchart::Event& event, int active,
                    const std::string& arguments) const;

    const genchart::State& at(int index) const;
    std::string stateRef(int index) const;
    std::string eventRef(const genchart::Event& event) const;
    std::string queueSizeMacro() const;
    std::string contextMacro() const;
    bool exitsBelow() const;

    const genchart::Chart& chart;
    // The chart for the shared switch writers: the observer calls are written here, not as
    // trace lines.
    genchart::Chart untraced;
    std::string stateType; // the smallest fixed-width type numbering every state
    std::string eventType; // the same for the events
};
