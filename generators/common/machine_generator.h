#pragma once
// What the state-machine generators share: the generation records of a chart turned into the
// chart model the emitters write, with names chosen by the language's rules.

#include "codegen/code_generator.h"
#include "generators/common/machine_chart.h"
#include "generators/common/names.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct StateNode;

class MachineGenerator : public CodeGenerator {
public:
    // With trace set the machine reports entries, exits, firing and ignored events.
    MachineGenerator(const std::string& modelPath, bool withTrace)
        : CodeGenerator(modelPath), trace(withTrace) {}

protected:
    // Throws when the chart cannot become a machine: no initial state at its top level, or a
    // state with two unguarded transitions for one event. Events and states are named from
    // members, in chart order; the functions holding the chart's code from userCode, which
    // may be the same table. The language's own parts (root class, context, includes,
    // declarations) are left to the caller.
    genchart::Chart buildChart(gennames::NameTable& members, gennames::NameTable& userCode) const;

    // How the language spells an event's function, from the event's name in the chart.
    virtual std::string eventIdentifier(const std::string& name) const {
        return gennames::identifier(name);
    }

    // A parameter taking a name the generated code uses beside it (the machine, a local, the
    // context) is refused with a message naming the event, never turned into code that does
    // not compile.
    static void refuseParameterNames(const genchart::Chart& chart,
                                     std::initializer_list<std::string_view> taken);

    const bool trace;

private:
    // The state an initial state leads to, found through the shapes by object id.
    long initialTargetId(const StateNode& node) const;
    int regionOf(long shapeId, const std::vector<const StateNode*>& nodes) const;
    static void nameUserCode(genchart::Chart& chart, gennames::NameTable& names);
};
