// tvc2cpp: a chart's state machine as a C++ class next to the model.

#include "generators/common/generator_main.h"
#include "generators/tvc2cpp/cpp_generator.h"

int main(int argc, char** argv) {
    const GeneratorInfo info{"tvc2cpp",
                             "Generates the C++17 state machine of the Tavren chart MODEL.",
                             "The class is written to MODEL up to its last '.' + \"TN.h\" and "
                             "\"TN.cpp\".",
                             true, true};
    return runGenerator(argc, argv, info, [](const std::string& modelPath, bool trace) {
        return std::make_unique<CppGenerator>(modelPath, trace);
    });
}
