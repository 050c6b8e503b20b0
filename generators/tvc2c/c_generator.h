#pragma once
// The C generator: the same chart model as the C++ generator, written as a C99 struct and
// functions (base path + "TN.h" / "TN.c").

#include "generators/tvc2cpp/cpp_generator.h"

class CGenerator : public CppGenerator {
public:
    CGenerator(const std::string& modelPath, bool withTrace) : CppGenerator(modelPath, withTrace) {}

    std::string getheaderfileappend() override { return "TN.h"; }
    std::string getsourcefileappend() override { return "TN.c"; }

protected:
    void generateCode() override;
};
