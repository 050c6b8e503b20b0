#pragma once
// The C++ generator: turns the generation records of a chart into a state machine class in
// a header and a source file next to the model (base path + "TN.h" / "TN.cpp").

#include "codegen/code_generator.h"
#include "generators/tvc2cpp/cpp_chart.h"

#include <string>

struct StateNode;

class CppGenerator : public CodeGenerator {
public:
    // With trace set the machine reports entries, exits, firing and ignored events.
    CppGenerator(const std::string& modelPath, bool withTrace)
        : CodeGenerator(modelPath), trace(withTrace) {}

protected:
    void generateCode() override;

protected:
    // Throws when the chart cannot become a machine (no initial state at its top level).
    cppchart::Chart buildChart() const;
    void addState(cppchart::Chart& chart, const StateNode& node, int parent) const;
    // The state an initial state leads to, found through the shapes by object id.
    long initialTargetId(const StateNode& node) const;
    static void nameUserCode(cppchart::Chart& chart);

private:
    bool trace;
};
