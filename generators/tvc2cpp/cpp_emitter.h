#pragma once
// Writes the C++ state machine of a chart: the class in the header, its functions in the
// source file. States are an enumeration; each state's code and transitions are functions
// named after the state's class name; dispatch switches over the innermost active state
// and tries it and its ancestors inline, and nothing is allocated while an event is processed.

#include "generators/tvc2cpp/cpp_chart.h"

#include <ostream>
#include <string>
#include <vector>

class CodePrinter;

class CppEmitter {
public:
    explicit CppEmitter(const cppchart::Chart& model) : chart(model) {}

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

private:
    void writeBanner(CodePrinter& p) const;
    void writeClass(CodePrinter& p) const;
    void writeMembers(CodePrinter& p) const;
    void writeRuntime(CodePrinter& p) const;
    void writeStructure(CodePrinter& p) const;
    // The file-scope functions holding a state's entry, exit, guard and effect code.
    void writeUserCode(CodePrinter& p, const cppchart::State& state) const;
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard) const;
    void writeReact(CodePrinter& p, const cppchart::State& state) const;
    void writeBranch(CodePrinter& p, const cppchart::State& state, const cppchart::Branch& branch,
                     const cppchart::Event& event) const;
    // Tries the innermost active state, then its ancestors, for the event (any event when
    // null); each state's ancestors are written out, so no parents are walked at run time.
    void writeSearch(CodePrinter& p, const cppchart::Event* event) const;
    // Straight-line exits from source up to, not including, stop.
    void writeExits(CodePrinter& p, int source, int stop) const;
    void writeEnter(CodePrinter& p, int index) const;
    void trace(CodePrinter& p, const std::string& line) const;

    const cppchart::State& at(int index) const;
    std::string stateRef(int index) const; // StateId::X, or StateId::None_ for the top level
    // The innermost state strictly containing both, or the top level.
    int commonAncestor(int source, int target) const;
    std::string queueSizeMacro() const;

    const cppchart::Chart& chart;
};
