// tvc2c: a chart's state machine as a C99 struct and functions next to the model.

#include "generators/common/generator_main.h"
#include "generators/tvc2c/c_generator.h"

int main(int argc, char** argv) {
    const GeneratorInfo info{"tvc2c", "Generates the C99 state machine of the Tavren chart MODEL.",
                             "The machine is written to MODEL up to its last '.' + \"TN.h\" and "
                             "\"TN.c\".",
                             true, true};
    return runGenerator(argc, argv, info, [](const std::string& modelPath, bool trace) {
        return std::make_unique<CGenerator>(modelPath, trace);
    });
}
