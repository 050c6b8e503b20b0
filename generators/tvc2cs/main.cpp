// tvc2cs: a chart's state machine as a C# class next to the model.

#include "generators/common/generator_main.h"
#include "generators/common/managed_generator.h"

int main(int argc, char** argv) {
    const GeneratorInfo info{"tvc2cs", "Generates the C# state machine of the Tavren chart MODEL.",
                             "The class is written to MODEL up to its last '.' + \"TN.cs\".", true};
    return runGenerator(argc, argv, info, [](const std::string& modelPath, bool trace) {
        return std::make_unique<ManagedGenerator>(modelPath, trace, managednames::Language::CSharp);
    });
}
