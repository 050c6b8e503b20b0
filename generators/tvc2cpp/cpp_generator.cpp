#include "generators/tvc2cpp/cpp_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2cpp/cpp_emitter.h"
#include "generators/tvc2cpp/cpp_names.h"

#include <sstream>

void CppGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    const std::string rootClass = gennames::identifier(info.rootClassName);
    gennames::NameTable members(cppnames::keywords());
    for (std::string_view word : cppnames::cMachineMembers)
        members.reserve(word);
    members.reserve(rootClass); // the constructor's name
    // The chart's code lives at file scope, in a scope of its own.
    gennames::NameTable fileScope(cppnames::keywords());
    genchart::Chart chart = buildChart(members, fileScope);
    if (info.ctxFullNameCPP.find_first_not_of(" \t\r\n") == std::string::npos)
        throw std::string("The chart names no C++ context class.");
    chart.rootClass = rootClass;
    chart.ctxHeader = info.ctxFileCPP;
    chart.ctxType = info.ctxFullNameCPP;
    chart.includes = info.includeFilesCPP;
    chart.declarations = info.declCPP;

    std::ostringstream header;
    std::ostringstream source;
    CppEmitter emitter(chart);
    emitter.writeHeader(header);
    emitter.writeSource(source);
    saveGeneratedFile(info.headerFile, header.str());
    saveGeneratedFile(info.sourceFile, source.str());
}
