#pragma once
// Writes the C99 state machine of a chart: a plain struct and its functions in the header,
// the run-to-completion logic in the source file. Nothing is allocated.

#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"

#include <ostream>
#include <string>

class CodePrinter;

class CEmitter {
public:
    explicit CEmitter(const genchart::Chart& model) : chart(model) {}

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

private:
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard) const;
    void writeRuntime(CodePrinter& p) const;
    // parentOf_, exit_ and exitTo_: only written when a transition leaves a composite state.
    void writeExitHelpers(CodePrinter& p) const;
    void writeReact(CodePrinter& p, const genchart::State& state) const;
    genchart::StepSyntax stepSyntax() const;
    void writeSearch(CodePrinter& p, const genchart::Event* event) const;

    const genchart::State& at(int index) const;
    std::string stateRef(int index) const;
    std::string eventRef(const genchart::Event& event) const;
    std::string queueSizeMacro() const;

    const genchart::Chart& chart;
};
