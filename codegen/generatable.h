#pragma once
// A generation shape that can check the constraints code generation needs of it.

#include "platform/kelmora_export.h"

class KELMORA_API Generatable {
public:
    virtual ~Generatable() = default;
    // Throws the failure text as a std::string; valid by default.
    virtual void assertValid() {}
};
