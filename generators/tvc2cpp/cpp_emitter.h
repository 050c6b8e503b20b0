#pragma once
// Writes the C++ state machine of a chart: the class in the header, its functions in the
// source file. States and events are public enumerations; each state's code and transitions
// are functions named after the state's class name; dispatch switches over the innermost
// active state and tries it and its ancestors inline, and nothing is allocated while an event
// is processed. An observer, when one is set, is told every step; -g adds one that traces.

#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"

#include <ostream>
#include <string>
#include <vector>

class CodePrinter;

// Above this many lines an event's function falls back to the compact search, which calls each
// state's reaction and walks the exits and default entries at run time.
constexpr std::size_t kFlatLines = 600;

class CppEmitter {
public:
    // nameSpace: the namespace the class goes into ("a::b"), empty for the global one.
    CppEmitter(const genchart::Chart& model, std::string nameSpace)
        : chart(model), ns(std::move(nameSpace)) {}

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

private:
    void writeBanner(CodePrinter& p) const;
    void writeClass(CodePrinter& p) const;
    void writePublicTypes(CodePrinter& p) const;
    void writeMembers(CodePrinter& p) const;
    void writeTraceClass(CodePrinter& p) const;
    void writeRuntime(CodePrinter& p) const;
    void writeEvents(CodePrinter& p) const;
    void writeQueue(CodePrinter& p) const;
    void writeStructure(CodePrinter& p) const;
    void writeNames(CodePrinter& p) const;
    void writeTrace(CodePrinter& p) const;
    // The file-scope functions holding a state's entry, exit, guard and effect code.
    void writeUserCode(CodePrinter& p, const genchart::State& state) const;
    // A guard's or effect's function also takes its event's parameters.
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard, const genchart::Event* event) const;
    void writeMessageDispatch(CodePrinter& p) const;
    std::string eventParameter() const;
    void writeReact(CodePrinter& p, const genchart::State& state) const;
    // complete_ and each state's function trying its completion transitions.
    void writeCompletion(CodePrinter& p) const;
    void writeBranch(CodePrinter& p, const genchart::State& state, const genchart::Branch& branch,
                     const genchart::Event& event) const;
    void writeSteps(CodePrinter& p, const std::vector<genchart::Step>& steps,
                    const genchart::Branch& branch, const genchart::Event& event) const;
    genchart::StepSyntax stepSyntax() const;
    // Tries the innermost active state, then its ancestors, for the event (any event when
    // null); each state's ancestors are written out, so no parents are walked at run time.
    // An exception puts back the state that was active before.
    void writeSearch(CodePrinter& p, const genchart::Event* event) const;
    // The event's search with each active state's reactions written out in its case: the
    // exits from that state known, so straight-line, and default entries into history as a
    // switch over the remembered state. Empty when it would take more than kFlatLines lines
    // or the event has parameters; the compact search is written instead.
    std::string flatSearch(const genchart::Event& event) const;
    void writeFlatSteps(CodePrinter& p, const std::vector<genchart::Step>& steps, int active,
                        const genchart::Branch& branch, const genchart::Event& event) const;

    const genchart::State& at(int index) const;
    std::string stateRef(int index) const; // State::X, or State::None_ for the top level
    std::string queueSizeMacro() const;
    std::size_t traceLineSize() const;

    const genchart::Chart& chart;
    std::string ns;
};
