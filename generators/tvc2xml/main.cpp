// tvc2xml: a chart's generation records as an XML document next to the model.

#include "generators/common/generator_main.h"
#include "generators/tvc2xml/xml_generator.h"

int main(int argc, char** argv) {
    const GeneratorInfo info{"tvc2xml", "Writes the Tavren chart MODEL as XML.",
                             "The document (MODEL up to its last '.' + \"TN.xml\") follows "
                             "share/tavren/tavren-chart.xsd.",
                             false};
    return runGenerator(argc, argv, info, [](const std::string& modelPath, bool) {
        return std::make_unique<XmlGenerator>(modelPath);
    });
}
