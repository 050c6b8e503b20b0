#pragma once
// The command line every generator program shares: PROGRAM [-d] [-g] MODEL, the front end's
// progress on standard output, and one failure report whatever the generator throws.

#include "codegen/code_generator.h"

#include <functional>
#include <memory>
#include <string>

struct GeneratorInfo {
    std::string program;       // the name shown in usage and version lines
    std::string description;   // one line for --help
    std::string output;        // what is written next to the model, for --help
    bool usesTrace = true;     // false: -g is accepted and ignored
    bool writesHeader = false; // writes model base + "TN.h", a name C and C++ share
};

using GeneratorFactory =
    std::function<std::unique_ptr<CodeGenerator>(const std::string& modelPath, bool trace)>;

// Parses the arguments, runs the generator and returns the exit status: 0 done, 1 the
// generation failed, 2 a usage error.
int runGenerator(int argc, char** argv, const GeneratorInfo& info, const GeneratorFactory& make);

// Writes a generated file built in memory, so a failing check leaves nothing half written;
// throws the failure message.
void saveGeneratedFile(const std::string& path, const std::string& text);
