#include "generators/tvc2c/c_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2c/c_emitter.h"
#include "generators/tvc2cpp/cpp_names.h"

#include <sstream>

void CGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    // The C names follow the C++ ones, so a chart's functions are named alike in both.
    const std::string rootClass = gennames::identifier(info.rootClassName);
    gennames::NameTable members(cppnames::keywords());
    for (std::string_view word : cppnames::cMachineMembers)
        members.reserve(word);
    members.reserve(rootClass);
    gennames::NameTable fileScope(cppnames::keywords());
    genchart::Chart chart = buildChart(members, fileScope);
    chart.rootClass = rootClass;
    // Charts name their context for C++ only; C takes the bare class name as a struct typedef
    // and the same header.
    chart.ctxHeader = info.ctxFileCPP;
    chart.ctxType = info.ctxNameCPP.find_first_not_of(" \t\r\n") == std::string::npos
                        ? std::string("Context")
                        : info.ctxNameCPP;
    chart.includes = info.includeFilesC;
    chart.declarations = info.declC;

    std::ostringstream header;
    std::ostringstream source;
    const CEmitter emitter(chart);
    emitter.writeHeader(header);
    emitter.writeSource(source);
    saveGeneratedFile(info.headerFile, header.str());
    saveGeneratedFile(info.sourceFile, source.str());
}
