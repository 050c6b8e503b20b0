#pragma once
// The C++ generator: turns the generation records of a chart into a state machine class in
// a header and a source file next to the model (base path + "TN.h" / "TN.cpp").

#include "generators/common/machine_generator.h"

class CppGenerator : public MachineGenerator {
public:
    CppGenerator(const std::string& modelPath, bool withTrace)
        : MachineGenerator(modelPath, withTrace) {}

protected:
    void generateCode() override;
};
