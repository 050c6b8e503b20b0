#pragma once
// Turns a type name read from a model file into an empty shape of that class.

#include "platform/kelmora_export.h"

#include <string>

class Shape;

class KELMORA_API Factory {
public:
    virtual ~Factory() = default;
    // Null for a name outside the table; the caller owns the new shape.
    virtual Shape* createShape(const std::string& type);
};
