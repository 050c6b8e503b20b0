#pragma once
// Writes the C99 state machine of a chart: a plain struct and its functions in the header,
// the run-to-completion logic in the source file. Nothing is allocated.

#include "generators/tvc2cpp/cpp_chart.h"

#include <ostream>
#include <string>

class CodePrinter;

class CEmitter {
public:
    explicit CEmitter(const cppchart::Chart& model) : chart(model) {}

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

private:
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard) const;
    void writeRuntime(CodePrinter& p) const;
    // parentOf_, exit_ and exitTo_: only written when a transition leaves a composite state.
    void writeExitHelpers(CodePrinter& p) const;
    void writeReact(CodePrinter& p, const cppchart::State& state) const;
    void writeBranch(CodePrinter& p, const cppchart::State& state, const cppchart::Branch& branch,
                     const cppchart::Event& event) const;
    void writeSearch(CodePrinter& p, const cppchart::Event* event) const;
    void writeExits(CodePrinter& p, int source, int stop) const;
    void writeEnter(CodePrinter& p, int index) const;
    void trace(CodePrinter& p, const std::string& line) const;

    const cppchart::State& at(int index) const;
    std::string stateRef(int index) const;
    std::string eventRef(const cppchart::Event& event) const;
    int commonAncestor(int source, int target) const;
    std::string queueSizeMacro() const;

    const cppchart::Chart& chart;
};
