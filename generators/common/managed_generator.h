#pragma once
// The Java and C# generators: the chart as one class in a single source file next to the
// model (base path + "TN.java" or "TN.cs"); neither language has a header.

#include "generators/common/machine_generator.h"
#include "generators/common/managed_names.h"

class ManagedGenerator : public MachineGenerator {
public:
    ManagedGenerator(const std::string& modelPath, bool withTrace,
                     managednames::Language targetLanguage)
        : MachineGenerator(modelPath, withTrace), language(targetLanguage) {}

    std::string getheaderfileappend() override { return "dummy"; }
    std::string getsourcefileappend() override;

protected:
    void generateCode() override;
    std::string eventIdentifier(const std::string& name) const override;

private:
    managednames::Language language;
};
