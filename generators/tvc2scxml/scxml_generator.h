#pragma once
// The SCXML generator: the chart's state tree with its initial, final and history states, the
// transitions of each state in dispatch order, the chart's code as C++ data model scripts, and
// the drawing in attributes of a namespace of our own (model base path + "TN.scxml").

#include "generators/common/machine_generator.h"

#include <string>

class ScxmlGenerator : public MachineGenerator {
public:
    explicit ScxmlGenerator(const std::string& modelPath) : MachineGenerator(modelPath, false) {}

protected:
    void generateCode() override;
    std::string getheaderfileappend() override { return "dummy"; }
    std::string getsourcefileappend() override { return "TN.scxml"; }
};
