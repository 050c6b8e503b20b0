// A generator that does what its chart's model name asks: succeed, or fail halfway through
// writing with one kind of exception. It writes a header and a source file like a real one.

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace {

class ProbeGenerator : public CodeGenerator {
public:
    ProbeGenerator(const std::string& path, bool traceOn) : CodeGenerator(path), trace(traceOn) {}

protected:
    void generateCode() override {
        std::cout << (trace ? "trace on" : "trace off") << std::endl;
        std::ofstream out(ModelInfo::getInstance()->sourceFile);
        out << "half of it" << std::flush;
        const std::string& mode = properties.getName();
        if (mode == "string")
            throw std::string("probe failure");
        if (mode == "cstr")
            throw "c string";
        if (mode == "runtime")
            throw std::runtime_error("boom");
        if (mode == "int")
            throw 42;
        out << " and the rest\n";
    }
    std::string getsourcefileappend() override { return "TN.probe"; }

private:
    bool trace;
};

} // namespace

int main(int argc, char** argv) {
    const GeneratorInfo info{"generator_probe", "Fails on request.", "", true};
    return runGenerator(argc, argv, info, [](const std::string& path, bool trace) {
        return std::make_unique<ProbeGenerator>(path, trace);
    });
}
