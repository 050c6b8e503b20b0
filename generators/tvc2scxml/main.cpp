// tvc2scxml: a chart as an SCXML document next to the model.

#include "generators/common/generator_main.h"
#include "generators/tvc2scxml/scxml_generator.h"

int main(int argc, char** argv) {
    const GeneratorInfo info{"tvc2scxml", "Writes the Tavren chart MODEL as SCXML.",
                             "The document is written to MODEL up to its last '.' + \"TN.scxml\".",
                             false};
    return runGenerator(argc, argv, info, [](const std::string& modelPath, bool) {
        return std::make_unique<ScxmlGenerator>(modelPath);
    });
}
