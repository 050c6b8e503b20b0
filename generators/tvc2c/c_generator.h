#pragma once
// The C generator: the chart as a C99 struct and functions (base path + "TN.h" / "TN.c").

#include "generators/common/machine_generator.h"

class CGenerator : public MachineGenerator {
public:
    CGenerator(const std::string& modelPath, bool withTrace)
        : MachineGenerator(modelPath, withTrace) {}

    std::string getheaderfileappend() override { return "TN.h"; }
    std::string getsourcefileappend() override { return "TN.c"; }

protected:
    void generateCode() override;
};
