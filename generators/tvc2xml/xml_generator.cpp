#include "generators/tvc2xml/xml_generator.h"

#include "codegen/file_writer.h"
#include "codegen/initial_state_ex.h"
#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2xml/xml_printer.h"
#include "model/state.h"

#include <filesystem>
#include <list>
#include <sstream>

namespace {

// A model text as one <line> per line (split at carriage return plus line feed), so the
// document can be indented without changing the text. An empty text writes nothing.
void writeLines(XmlPrinter& printer, std::string_view tag, std::string_view text) {
    if (text.empty())
        return;
    auto element = printer.open(tag);
    for (std::size_t pos = 0;;) {
        const auto brk = text.find("\r\n", pos);
        printer.text("line", text.substr(pos, brk == std::string_view::npos ? brk : brk - pos));
        if (brk == std::string_view::npos)
            break;
        pos = brk + 2;
    }
}

// Optional attributes are left out when empty, so a reader sees only what the chart says.
void addIfSet(XmlPrinter::Attributes& attributes, std::string name, const std::string& value) {
    if (!value.empty())
        attributes.emplace_back(std::move(name), value);
}

} // namespace

void XmlGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    std::ostringstream document;
    XmlPrinter printer(document);
    writeChart(printer, info);
    saveGeneratedFile(info.sourceFile, document.str());
}

void XmlGenerator::writeChart(XmlPrinter& printer, const ModelInfo& info) const {
    printer.declaration();
    auto chart = printer.open(
        "chart", {{"format", "1"},
                  {"name", info.modelName},
                  {"root", info.rootClassName},
                  {"base-state", info.baseStateClassName},
                  {"source", std::filesystem::path(modelFileName).filename().string()}});
    writeProperties(printer, info);
    writeChildren(printer, info.rootNode, rootMachine.get());
    auto events = printer.open("events");
    for (const std::string& event : info.messageNames) {
        // The name alone is the event; its parameter list, when it has one, beside it.
        const auto signature = info.eventSignatures.find(event);
        if (signature == info.eventSignatures.end() || signature->second.empty())
            printer.empty("event", {{"name", event}});
        else
            printer.empty("event", {{"name", event}, {"signature", signature->second}});
    }
}

void XmlGenerator::writeProperties(XmlPrinter& printer, const ModelInfo& info) const {
    auto section = printer.open("properties");
    if (!info.author.empty())
        printer.text("author", info.author);
    writeLines(printer, "description", info.desc);
    {
        XmlPrinter::Attributes attributes{{"language", "c++"}};
        addIfSet(attributes, "class", info.ctxNameCPP);
        addIfSet(attributes, "header", info.ctxFileCPP);
        addIfSet(attributes, "namespace", info.ctxNameSpaceCPP);
        addIfSet(attributes, "full-name", info.ctxFullNameCPP);
        auto context = printer.open("context", attributes);
        writeLines(printer, "includes", info.includeFilesCPP);
        writeLines(printer, "declarations", info.declCPP);
    }
    {
        auto context = printer.open("context", {{"language", "c"}});
        writeLines(printer, "includes", info.includeFilesC);
        writeLines(printer, "declarations", info.declC);
    }
    {
        XmlPrinter::Attributes attributes{{"language", "java"}};
        addIfSet(attributes, "class", info.ctxNameJAVA);
        addIfSet(attributes, "package", info.ctxPackageJAVA);
        auto context = printer.open("context", attributes);
        writeLines(printer, "declarations", info.declJAVA);
    }
    {
        XmlPrinter::Attributes attributes{{"language", "c#"}};
        addIfSet(attributes, "class", info.ctxNameCSharp);
        addIfSet(attributes, "package", info.ctxPackageCSharp);
        auto context = printer.open("context", attributes);
        writeLines(printer, "declarations", info.declCSharp);
    }
}

void XmlGenerator::writeChildren(XmlPrinter& printer, const StateNode& node,
                                 const GenericStateEx* state) const {
    // The nodes were filled from the sub-states in this same order.
    std::size_t index = 0;
    for (const auto& child : node.children) {
        const GenericStateEx* shape = nullptr;
        if (state && index < state->getSubStates().size())
            shape = state->getSubStates()[index];
        writeState(printer, *child, shape);
        ++index;
    }
}

void XmlGenerator::writeState(XmlPrinter& printer, const StateNode& node,
                              const GenericStateEx* state) const {
    XmlPrinter::Attributes attributes;
    attributes.emplace_back("name", state ? state->getName() : stateName(node.stateId));
    attributes.emplace_back("class", node.className);
    // The composite state that stands for the whole chart is no shape of the drawing.
    if (node.stateId > 0)
        attributes.emplace_back("id", std::to_string(node.stateId));
    attributes.emplace_back("history", node.history ? "true" : "false");
    auto stateElement = printer.open("state", attributes);

    writeLines(printer, "entry", node.entryExit.onEntry);
    writeLines(printer, "exit", node.entryExit.onExit);

    if (node.initialStateId != -1) {
        XmlPrinter::Attributes initial;
        addIfSet(initial, "name", stateName(node.initialStateId));
        initial.emplace_back("id", std::to_string(node.initialStateId));
        initial.emplace_back("target", node.initialTargetClassName);
        if (state)
            for (const GenericStateEx* sub : state->getSubStates())
                if (sub->getClassName() == node.initialTargetClassName) {
                    addIfSet(initial, "target-name", sub->getName());
                    break;
                }
        printer.empty("initial", initial);
    }

    for (const MesgInfo& transition : node.transitions) {
        XmlPrinter::Attributes t{{"event", transition.event}};
        addIfSet(t, "guard", transition.guard);
        t.emplace_back("target", transition.targetClassName);
        addIfSet(t, "target-name", stateName(transition.targetId));
        t.emplace_back("target-id", std::to_string(transition.targetId));
        if (transition.effect.empty()) {
            printer.empty("transition", t);
        } else {
            auto transitionElement = printer.open("transition", t);
            writeLines(printer, "effect", transition.effect);
        }
    }

    // The same grouping every generator uses: a second unguarded branch fails here.
    std::list<MData> dispatch;
    FileWriter::convertMesgData(node.transitions, dispatch);
    for (const MData& group : dispatch) {
        auto dispatchElement = printer.open("dispatch", {{"event", group.event}});
        for (const MDataEntry& entry : group.entries) {
            XmlPrinter::Attributes attempt;
            addIfSet(attempt, "guard", entry.guard);
            attempt.emplace_back("target", entry.targetClassName);
            printer.empty("try", attempt);
        }
    }

    writeChildren(printer, node, state);
}

std::string XmlGenerator::stateName(long id) const {
    if (const auto* state = dynamic_cast<const State*>(getShape(id)))
        return state->getName();
    return {};
}
