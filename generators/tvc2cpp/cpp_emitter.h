#pragma once
// Writes the C++ state machine of a chart: the class in the header, its functions in the
// source file. States are an enumeration; each state's code and transitions are functions
// named after the state's class name; dispatch switches over the innermost active state
// and tries it and its ancestors inline, and nothing is allocated while an event is processed.

#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"

#include <ostream>
#include <string>
#include <vector>

class CodePrinter;

class CppEmitter {
public:
    explicit CppEmitter(const genchart::Chart& model) : chart(model) {}

    void writeHeader(std::ostream& out) const;
    void writeSource(std::ostream& out) const;

private:
    void writeBanner(CodePrinter& p) const;
    void writeClass(CodePrinter& p) const;
    void writeMembers(CodePrinter& p) const;
    void writeRuntime(CodePrinter& p) const;
    void writeStructure(CodePrinter& p) const;
    // The file-scope functions holding a state's entry, exit, guard and effect code.
    void writeUserCode(CodePrinter& p, const genchart::State& state) const;
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard) const;
    void writeReact(CodePrinter& p, const genchart::State& state) const;
    genchart::StepSyntax stepSyntax() const;
    // Tries the innermost active state, then its ancestors, for the event (any event when
    // null); each state's ancestors are written out, so no parents are walked at run time.
    void writeSearch(CodePrinter& p, const genchart::Event* event) const;

    const genchart::State& at(int index) const;
    std::string stateRef(int index) const; // StateId::X, or StateId::None_ for the top level
    std::string queueSizeMacro() const;

    const genchart::Chart& chart;
};
