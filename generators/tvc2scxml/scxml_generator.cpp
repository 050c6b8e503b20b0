#include "generators/tvc2scxml/scxml_generator.h"

#include "codegen/generic_state_ex.h"
#include "codegen/initial_state_ex.h"
#include "codegen/model_info.h"
#include "generators/common/generator_main.h"
#include "generators/tvc2scxml/scxml_layout.h"
#include "model/mesg.h"
#include "model/transition.h"

#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

using namespace scxmllayout;

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string field(const Record& record, std::size_t line) {
    return line < record.size() ? record[line] : std::string();
}

// Writes the document; every chart text passes through `check` first.
class Writer {
public:
    explicit Writer(std::ostream& o, int indentation = 0) : out(o), depth(indentation) {}

    void open(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& attrs,
              bool empty = false) {
        indent();
        out << '<' << tag;
        for (const auto& [name, value] : attrs)
            out << ' ' << name << "=\"" << checked(value, escapeAttribute) << '"';
        out << (empty ? "/>\n" : ">\n");
        if (!empty)
            ++depth;
    }
    void close(const std::string& tag) {
        --depth;
        indent();
        out << "</" << tag << ">\n";
    }
    // The user's code as written, on lines of its own. Qt's compiler trims it and pastes it
    // between its own code on one line, so a last line with a // comment, a preprocessor
    // line or a splice would swallow what follows, and a first preprocessor line would not
    // start its line: such code gets an empty statement on a line of its own at that end,
    // marked so that a reader takes it away again.
    void script(const std::string& code) {
        const auto lastLine = code.rfind('\n') == std::string::npos ? 0 : code.rfind('\n') + 1;
        const std::string last = code.substr(lastLine);
        const bool closeAfter = last.find("//") != std::string::npos ||
                                last.find('#') != std::string::npos ||
                                (!last.empty() && last.back() == '\\');
        const auto first = code.find_first_not_of(" \t\r\n");
        const bool openBefore = first != std::string::npos && code[first] == '#';
        indent();
        out << "<script" << (openBefore ? " tv:before=\";\"" : "")
            << (closeAfter ? " tv:after=\";\"" : "") << ">\n"
            << (openBefore ? ";\n" : "") << checked(code, escapeContent)
            << (closeAfter ? "\n;\n" : "\n");
        indent();
        out << "</script>\n";
    }

private:
    void indent() { out << std::string(static_cast<std::size_t>(depth) * 2, ' '); }
    static std::string checked(const std::string& text, std::string (*escape)(std::string_view)) {
        if (unrepresentable(text))
            throw "The chart holds text that XML cannot carry (a control character or bytes "
                  "that are not UTF-8): " +
                text.substr(0, 40);
        return escape(text);
    }
    std::ostream& out;
    int depth;
};

using Attrs = std::vector<std::pair<std::string, std::string>>;

class Export {
public:
    Export(const genchart::Chart& c, const CodeGenerator& g, const std::string& modelText)
        : chart(c), gen(g) {
        for (Record& record : splitRecords(modelText)) {
            std::istringstream begin(field(record, 0));
            std::string word, type;
            long id = 0;
            begin >> word >> type >> id;
            records[id] = std::move(record);
            order.push_back(id);
        }
        gennames::NameTable ids({});
        for (const genchart::State& s : chart.states)
            stateIds.push_back(ids.claim(s.id));
        for (std::size_t i = 0; i < chart.states.size(); ++i) {
            const genchart::State& s = chart.states[i];
            historyIds.push_back(s.history ? ids.claim(s.id + "_history") : std::string());
            restIds.push_back(!s.children.empty() && s.initial < 0 ? ids.claim(s.id + "_rest")
                                                                   : std::string());
        }
        collectFinals(ids);
    }

    void write(std::ostream& out, const std::string& zoom, const std::string& properties) {
        const ModelInfo& info = *ModelInfo::getInstance();
        // The states first: what they take from the drawing decides what is left over.
        std::ostringstream body;
        Writer inner(body, 1);
        for (std::size_t i = 0; i < chart.states.size(); ++i)
            if (chart.states[i].parent == genchart::cTopLevel)
                writeState(inner, static_cast<int>(i));
        writeFinals(inner, genchart::cTopLevel);

        Attrs root{{"xmlns", std::string(cScxmlNamespace)},
                   {"xmlns:tv", std::string(cLayoutNamespace)},
                   {"version", "1.0"},
                   {"name", chart.modelName},
                   {"initial", entryId(chart.initial)},
                   {"datamodel", dataModel(info)},
                   {"binding", "early"}};
        const auto* top = gen.getRootMachine()->getSubStates().front();
        addInitialShape(root, top->getInitialState(), "tv:initial-");
        root.emplace_back("tv:zoom", zoom);
        root.emplace_back("tv:properties", properties);
        // Notes, lines, unlabelled transitions and whatever else SCXML has no word for.
        std::string extra;
        for (long id : order)
            if (!mapped.count(id))
                extra += joinRecord(records[id]);
        if (!extra.empty())
            root.emplace_back("tv:records", extra);

        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out << "<!-- Generated by tvc2scxml from " << escapeContent(chart.sourceName)
            << "; the tv: attributes keep the drawing for scxml2tvc. -->\n";
        Writer w(out);
        w.open("scxml", root);
        out << body.str();
        w.close("scxml");
    }

private:
    // The SCXML state that default entry into `state` enters: its history when it keeps one.
    std::string entryId(int state) const {
        const auto i = static_cast<std::size_t>(state);
        return chart.states[i].history ? historyIds[i] : stateIds[i];
    }

    static std::string dataModel(const ModelInfo& info) {
        if (blank(info.ctxFullNameCPP))
            throw std::string("The chart names no C++ context class.");
        return "cplusplus:" + info.ctxFullNameCPP + ":" + info.ctxFileCPP;
    }

    bool isProperAncestor(int outer, int inner) const {
        for (int s = chart.states[static_cast<std::size_t>(inner)].parent; s != genchart::cTopLevel;
             s = chart.states[static_cast<std::size_t>(s)].parent)
            if (s == outer)
                return true;
        return false;
    }

    const Transition* transitionShape(long id) const {
        return dynamic_cast<const Transition*>(gen.getShape(id));
    }

    // A final state completes the region it is drawn in, as an SCXML final does its parent:
    // one SCXML final per final shape, in the state whose region holds it.
    void collectFinals(gennames::NameTable& ids) {
        std::vector<const genchart::Branch*> branches;
        for (const genchart::State& state : chart.states) {
            for (const genchart::EventGroup& group : state.events)
                for (const genchart::Branch& b : group.branches)
                    branches.push_back(&b);
            for (const genchart::Branch& b : state.completion)
                branches.push_back(&b);
        }
        for (const genchart::Branch* b : branches) {
            if (b->target != genchart::cFinal)
                continue;
            const Transition* t = transitionShape(b->transitionId);
            const long shape = t ? t->getTailStateId() : 0;
            const int parent = b->completes;
            auto& list = finals[parent];
            if (!finalIds.count({parent, shape})) {
                const std::string base =
                    parent == genchart::cTopLevel
                        ? "final"
                        : chart.states[static_cast<std::size_t>(parent)].id + "_final";
                finalIds[{parent, shape}] = ids.claim(base);
                list.push_back(shape);
            }
        }
        // Final shapes that no transition reaches stay in the drawing, at the top level.
        for (const Shape* s : gen.getShapes())
            if (s->getType() == "FinalState") {
                bool used = false;
                for (const auto& [key, id] : finalIds)
                    used = used || key.second == s->getObjId();
                if (!used) {
                    finalIds[{genchart::cTopLevel, s->getObjId()}] = ids.claim("final");
                    finals[genchart::cTopLevel].push_back(s->getObjId());
                }
            }
    }

    void addShape(Attrs& attrs, long id, const std::string& prefix = "tv:") {
        const Record& r = records[id];
        mapped.insert(id);
        std::istringstream head(field(r, 1));
        long objId = 0;
        std::string z;
        head >> objId >> z;
        attrs.emplace_back(prefix + "id", std::to_string(id));
        attrs.emplace_back(prefix + "rect", field(r, 2));
        attrs.emplace_back(prefix + "look", z + " " + field(r, 3));
    }

    void addRoute(Attrs& attrs, const Transition* t, const std::string& prefix = "tv:") {
        if (!t)
            return;
        const Record& r = records[t->getObjId()];
        mapped.insert(t->getObjId());
        std::istringstream head(field(r, 1));
        long objId = 0;
        std::string z;
        head >> objId >> z;
        std::string route;
        for (std::size_t i = 5; i < r.size(); ++i) {
            std::string link = r[i];
            while (!link.empty() && link.back() == ' ')
                link.pop_back();
            route += (route.empty() ? "" : ", ") + link;
        }
        attrs.emplace_back(prefix + "id", std::to_string(t->getObjId()));
        attrs.emplace_back(prefix + "look", z);
        attrs.emplace_back(prefix + "ends", field(r, 2));
        attrs.emplace_back(prefix + "nodes", field(r, 4));
        attrs.emplace_back(prefix + "route", route);
    }

    // The initial state's shape and its transition's route, on the element that holds them.
    void addInitialShape(Attrs& attrs, const InitialStateEx* initial, const std::string& prefix) {
        if (!initial)
            return;
        addShape(attrs, initial->getObjId(), prefix);
        if (!field(records[initial->getObjId()], 4).empty())
            attrs.emplace_back(prefix + "name", field(records[initial->getObjId()], 4));
        if (!initial->getHeads().empty())
            addRoute(attrs, initial->getHeads().front(), prefix + "transition-");
    }

    void writeState(Writer& w, int index) {
        const auto i = static_cast<std::size_t>(index);
        const genchart::State& s = chart.states[i];
        const auto* shape = dynamic_cast<const GenericStateEx*>(gen.getShape(s.shapeId));
        Attrs attrs{{"id", stateIds[i]}};
        if (shape) {
            addShape(attrs, s.shapeId);
            const Record& r = records[s.shapeId];
            attrs.emplace_back("tv:name", field(r, 4));
            // history color transparent: history is SCXML's own.
            const std::string look = field(r, 5);
            attrs.emplace_back("tv:colors", look.substr(look.find(' ') + 1));
        }
        w.open("state", attrs);
        if (!s.onEntry.empty()) {
            w.open("onentry", {});
            w.script(s.onEntry);
            w.close("onentry");
        }
        if (!s.onExit.empty()) {
            w.open("onexit", {});
            w.script(s.onExit);
            w.close("onexit");
        }
        if (!restIds[i].empty()) {
            // Without an initial state the composite itself stays innermost; SCXML enters the
            // first child, so that child does nothing.
            w.open("state", {{"id", restIds[i]}, {"tv:rest", "true"}}, true);
        }
        if (s.initial >= 0) {
            Attrs initial;
            addInitialShape(initial, shape ? shape->getInitialState() : nullptr, "tv:");
            // The transition's part goes on the <transition> below.
            Attrs own, route;
            for (auto& a : initial)
                (a.first.rfind("tv:transition-", 0) == 0 ? route : own).push_back(a);
            w.open("initial", own);
            Attrs t{{"target", entryId(s.initial)}};
            for (auto& [name, value] : route)
                t.emplace_back("tv:" + name.substr(14), value);
            w.open("transition", t, true);
            w.close("initial");
        }
        if (s.history) {
            w.open("history", {{"id", historyIds[i]}, {"type", "shallow"}});
            const std::string target = s.initial >= 0        ? entryId(s.initial)
                                       : !restIds[i].empty() ? restIds[i]
                                                             : std::string();
            if (!target.empty())
                w.open("transition", {{"target", target}}, true);
            w.close("history");
        }
        for (const genchart::EventGroup& group : s.events)
            for (const genchart::Branch& b : group.branches)
                writeTransition(w, index, chart.events[static_cast<std::size_t>(group.event)].name,
                                b);
        // Completion: a composite's is its done.state event, a simple state's has no event.
        for (const genchart::Branch& b : s.completion)
            writeTransition(w, index, s.children.empty() ? "" : "done.state." + stateIds[i], b,
                            true);
        for (int child : s.children)
            writeState(w, child);
        writeFinals(w, index);
        w.close("state");
    }

    void writeTransition(Writer& w, int source, const std::string& event, const genchart::Branch& b,
                         bool completion = false) {
        Attrs attrs;
        if (!event.empty())
            attrs.emplace_back("event", event);
        if (!b.guard.empty())
            attrs.emplace_back("cond", b.guard);
        const Transition* t = transitionShape(b.transitionId);
        if (b.target == genchart::cFinal) {
            const int parent = b.completes;
            attrs.emplace_back("target", finalIds.at({parent, t ? t->getTailStateId() : 0}));
        } else if (isProperAncestor(b.target, source)) {
            // SCXML would not leave the target when it enters its history from inside.
            attrs.emplace_back("target", stateIds[static_cast<std::size_t>(b.target)]);
            if (chart.states[static_cast<std::size_t>(b.target)].history)
                std::cout << "Warning: " << chart.states[static_cast<std::size_t>(source)].className
                          << " -" << event << "-> "
                          << chart.states[static_cast<std::size_t>(b.target)].className
                          << " enters a state with history from inside it; SCXML enters its "
                             "initial state instead."
                          << std::endl;
        } else {
            attrs.emplace_back("target", entryId(b.target));
        }
        addRoute(attrs, t);
        const Mesg* label = t ? t->getMesg() : nullptr;
        if (label) {
            const Record& r = records[label->getObjId()];
            addShape(attrs, label->getObjId(), "tv:label-");
            attrs.emplace_back("tv:label-colors", field(r, 4));
            // The label's own text where it is more than the event and guard say.
            if (field(r, 5 + 1) != event)
                attrs.emplace_back("tv:label-event", field(r, 6));
            if (field(r, 7) != b.guard)
                attrs.emplace_back("tv:label-guard", field(r, 7));
        }
        if (!completion && event.find_first_of(" \t.*") != std::string::npos)
            std::cout << "Warning: the event '" << event
                      << "' holds a blank, '.' or '*', which SCXML reads as several events or "
                         "a pattern."
                      << std::endl;
        if (b.effect.empty()) {
            w.open("transition", attrs, true);
            return;
        }
        w.open("transition", attrs);
        w.script(b.effect);
        w.close("transition");
    }

    void writeFinals(Writer& w, int parent) {
        const auto found = finals.find(parent);
        if (found == finals.end())
            return;
        for (long shape : found->second) {
            Attrs attrs{{"id", finalIds.at({parent, shape})}};
            if (records.count(shape)) {
                addShape(attrs, shape);
                if (!field(records[shape], 4).empty())
                    attrs.emplace_back("tv:name", field(records[shape], 4));
            }
            w.open("final", attrs, true);
        }
    }

    const genchart::Chart& chart;
    const CodeGenerator& gen;
    std::map<long, Record> records;
    std::vector<long> order;
    std::set<long> mapped;
    std::vector<std::string> stateIds, historyIds, restIds;
    std::map<int, std::vector<long>> finals;
    std::map<std::pair<int, long>, std::string> finalIds;
};

} // namespace

void ScxmlGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    gennames::NameTable names({});
    const genchart::Chart chart = buildChart(names, names);

    std::ifstream in(modelFileName, std::ios::binary);
    std::string modelText((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The file's zoom line and the model properties after the shapes go back as they are.
    std::string zoom;
    if (const auto first = modelText.find('\n'); first != std::string::npos) {
        const auto second = modelText.find('\n', first + 1);
        zoom = modelText.substr(first + 1, second - first - 1);
        if (!zoom.empty() && zoom.back() == '\r')
            zoom.pop_back();
    }
    std::string propertyText;
    if (const auto end = modelText.find("END DATA"); end != std::string::npos) {
        const auto start = modelText.find('\n', end);
        if (start != std::string::npos)
            propertyText = modelText.substr(start + 1);
    }

    Export exporter(chart, *this, modelText);
    std::ostringstream document;
    exporter.write(document, zoom, propertyText);
    saveGeneratedFile(info.sourceFile, document.str());
}
