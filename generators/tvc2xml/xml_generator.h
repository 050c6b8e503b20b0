#pragma once
// The XML generator: renders the generation records of a chart as one XML document next to
// the model (base path + "TN.xml"), in the vocabulary of tavren-chart.xsd.

#include "codegen/code_generator.h"

#include <string>

class XmlPrinter;
class ModelInfo;
struct StateNode;

class XmlGenerator : public CodeGenerator {
public:
    explicit XmlGenerator(const std::string& modelPath) : CodeGenerator(modelPath) {}

protected:
    void generateCode() override;
    std::string getheaderfileappend() override { return "dummy"; }
    std::string getsourcefileappend() override { return "TN.xml"; }

private:
    void writeChart(XmlPrinter& printer, const ModelInfo& info) const;
    void writeProperties(XmlPrinter& printer, const ModelInfo& info) const;
    // The shape is the analysed state the node was filled from; it gives the names.
    void writeState(XmlPrinter& printer, const StateNode& node, const GenericStateEx* state) const;
    void writeChildren(XmlPrinter& printer, const StateNode& node,
                       const GenericStateEx* state) const;
    std::string stateName(long id) const;
};
