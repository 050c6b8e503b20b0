#pragma once
// Creates the generation variants of the chart's states, transitions and labels by type name;
// other shapes come from the model's factory.

#include "model/factory.h"
#include "platform/kelmora_export.h"

class KELMORA_API FactoryEx : public Factory {
public:
    Shape* createShape(const std::string& type) override;
};
