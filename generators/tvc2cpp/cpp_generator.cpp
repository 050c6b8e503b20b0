#include "generators/tvc2cpp/cpp_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2cpp/cpp_emitter.h"
#include "generators/tvc2cpp/cpp_names.h"

#include <sstream>

namespace {

bool isIdentifier(std::string_view text) {
    if (text.empty() || (text.front() >= '0' && text.front() <= '9'))
        return false;
    for (const char c : text)
        if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              (c >= '0' && c <= '9')))
            return false;
    return true;
}

// The context's namespace from the model properties, "a::b" or empty; one that is not a
// list of identifiers is left out rather than written into a declaration.
std::string contextNamespace(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    std::string ns = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    if (ns.rfind("::", 0) == 0)
        ns.erase(0, 2);
    for (std::size_t pos = 0;;) {
        const std::size_t sep = ns.find("::", pos);
        if (!isIdentifier(std::string_view(ns).substr(pos, sep - pos)))
            return {};
        if (sep == std::string::npos)
            return ns;
        pos = sep + 2;
    }
}

} // namespace

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
    CppEmitter emitter(chart, contextNamespace(info.ctxNameSpaceCPP));
    emitter.writeHeader(header);
    emitter.writeSource(source);
    saveGeneratedFile(info.headerFile, header.str());
    saveGeneratedFile(info.sourceFile, source.str());
}
