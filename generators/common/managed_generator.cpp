#include "generators/common/managed_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/common/managed_emitter.h"
#include "model/state.h"

#include <filesystem>
#include <sstream>

using managednames::Language;

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string ManagedGenerator::getsourcefileappend() {
    return language == Language::Java ? "TN.java" : "TN.cs";
}

void ManagedGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    const bool java = language == Language::Java;
    // Java wants a public class in a file of the same name, whatever the model calls itself
    // ("Untitled" until it is named): the class takes the file's name. A file name that is no
    // identifier leaves the class package-private under that name made an identifier.
    std::string rootClass = gennames::identifier(info.rootClassName);
    bool publicClass = true;
    if (java) {
        const std::string stem = std::filesystem::path(info.sourceFile).stem().string();
        publicClass = managednames::isJavaIdentifier(stem);
        rootClass = publicClass ? stem : gennames::identifier(stem);
    }
    const auto classScope = [&] {
        gennames::NameTable names(managednames::keywords(language));
        for (std::string_view word : managednames::machineMembers(language))
            names.reserve(word);
        names.reserve(rootClass); // the constructor's name
        return names;
    };
    gennames::NameTable members = classScope();
    // The chart's code lives in methods of the class, beside the events.
    genchart::Chart chart = buildChart(members, members);
    // Event methods (and Event constants) follow the language's case for methods, named from
    // the chart's name alone. Being free of '_', they never meet the private methods, which
    // all hold one; the API, the keywords and each other they must avoid.
    gennames::NameTable eventNames = classScope();
    for (genchart::Event& event : chart.events)
        event.id =
            eventNames.claim(managednames::methodCase(gennames::identifier(event.name), language));
    chart.rootClass = rootClass;
    // The state's own name in the chart (the front end's class name adds its parent's), as
    // State.chartName / NameOf and the trace give it. The states are in depth-first order.
    std::vector<std::string> names;
    const auto collect = [&](const auto& self, const StateNode& node) -> void {
        const auto* shape = dynamic_cast<const State*>(getShape(node.stateId));
        names.push_back(shape ? shape->getName() : node.className);
        for (const auto& child : node.children)
            self(self, *child);
    };
    for (const auto& child : info.rootNode.children.front()->children)
        collect(collect, *child);
    if (names.size() != chart.states.size())
        throw std::string("Internal error: the states' names");
    for (std::size_t i = 0; i < names.size(); ++i)
        chart.states[i].className = names[i];
    const std::string ctx = trimmed(java ? info.ctxNameJAVA : info.ctxNameCSharp);
    chart.ctxType = ctx.empty() ? std::string("Context") : ctx;
    chart.declarations = java ? info.declJAVA : info.declCSharp;

    std::ostringstream source;
    const ManagedEmitter emitter(
        chart, language, trimmed(java ? info.ctxPackageJAVA : info.ctxPackageCSharp), publicClass);
    emitter.write(source);
    saveGeneratedFile(info.sourceFile, source.str());
}
