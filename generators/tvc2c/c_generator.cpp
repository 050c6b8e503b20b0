#include "generators/tvc2c/c_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2c/c_emitter.h"
#include "generators/tvc2cpp/cpp_names.h"

#include <algorithm>
#include <sstream>
#include <vector>

void CGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    // The C names follow the C++ ones, so a chart's functions are named alike in both.
    const std::string rootClass = gennames::identifier(info.rootClassName);
    gennames::NameTable members(cppnames::keywords());
    // An event's function is <root>_<event>, beside the header's other <root>_ names; the C++
    // class's members are no C names.
    for (std::string_view word : cnames::cApiWords)
        members.reserve(word);
    members.reserve(rootClass);
    gennames::NameTable fileScope(cppnames::keywords());
    genchart::Chart chart = buildChart(members, fileScope);
    // The event's function and the chart's code name these beside the arguments.
    refuseParameterNames(chart, {"me", "m", "fired", "ctx", "ctx_p"});
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
    // What the reserved words cannot catch: an event named after an enumerator (S_Idle) or a
    // state's function, where C has one namespace for all of them.
    std::vector<std::string> names = emitter.fileScopeNames();
    std::sort(names.begin(), names.end());
    const auto clash = std::adjacent_find(names.begin(), names.end());
    if (clash != names.end())
        throw "The chart's names give two things the C name " + *clash + "; rename one of them.";
    emitter.writeHeader(header);
    emitter.writeSource(source);
    saveGeneratedFile(info.headerFile, header.str());
    saveGeneratedFile(info.sourceFile, source.str());
}
