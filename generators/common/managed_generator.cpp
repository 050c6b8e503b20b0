#include "generators/common/managed_generator.h"

#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/common/managed_emitter.h"

#include <filesystem>
#include <sstream>
#include <string>

using managednames::Language;

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

// Event methods (and Event constants) follow the language's case for methods: goOn, GoOn.
std::string ManagedGenerator::eventIdentifier(const std::string& name) const {
    return managednames::methodCase(gennames::identifier(name), language);
}

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
    gennames::NameTable members(managednames::keywords(language));
    for (std::string_view word : managednames::machineMembers(language))
        members.reserve(word);
    members.reserve(rootClass); // the constructor's name
    // The chart's code lives in methods of the class, beside the events.
    genchart::Chart chart = buildChart(members, members);
    // The event's method and the chart's code name these beside the arguments.
    refuseParameterNames(chart, {"ctx", "queued"});
    // C# gives nested types and members one namespace: the message's types, Message and
    // <Event>Args, must not take an event method's name.
    if (!java && chart.hasParameters())
        for (const genchart::Event& event : chart.events)
            for (const genchart::Event& other : chart.events)
                if (event.id == "Message" ||
                    (!other.parameters.empty() && event.id == other.id + "Args"))
                    throw "The event \"" + event.name +
                        "\" takes a name the machine's messages need; rename it.";
    chart.rootClass = rootClass;
    const std::string ctx = trimmed(java ? info.ctxNameJAVA : info.ctxNameCSharp);
    chart.ctxType = ctx.empty() ? std::string("Context") : ctx;
    chart.declarations = java ? info.declJAVA : info.declCSharp;

    std::ostringstream source;
    const ManagedEmitter emitter(
        chart, language, trimmed(java ? info.ctxPackageJAVA : info.ctxPackageCSharp), publicClass);
    emitter.write(source);
    saveGeneratedFile(info.sourceFile, source.str());
}
