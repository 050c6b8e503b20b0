#include "generators/check/chart_checks.h"

#include "codegen/chart_warnings.h"
#include "generators/common/machine_generator.h"
#include "generators/common/managed_names.h"
#include "generators/common/names.h"
#include "generators/tvc2c/c_emitter.h"
#include "generators/tvc2cpp/cpp_names.h"
#include "model/archive.h"
#include "model/factory.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/model_data.h"
#include "model/transition.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>

namespace check {

namespace {

// The front end's pipeline up to the chart model, keeping the shapes it read.
class ChartInspector : public MachineGenerator {
public:
    explicit ChartInspector(const std::string& path) : MachineGenerator(path, false) {}
    std::optional<genchart::Chart> chart;

protected:
    std::string getheaderfileappend() override { return "dummy"; }
    std::string eventIdentifier(const std::string& name) const override { return name; }
    void generateCode() override {
        gennames::NameTable members({});
        gennames::NameTable userCode({});
        chart = buildChart(members, userCode);
    }
};

class Checker {
public:
    Checker(const genchart::Chart& c, std::vector<Diagnostic>& d) : chart(c), out(d) {}

    void run() {
        reachability();
        deadEnds();
        guardOrder();
        shadowing();
        deadEvents();
        uselessHistory();
        names();
    }

private:
    const genchart::State& at(int s) const { return chart.states[static_cast<std::size_t>(s)]; }
    ShapeRef ref(int s) const { return {at(s).className, at(s).shapeId}; }
    std::string event(int e) const { return chart.events[static_cast<std::size_t>(e)].name; }
    std::string target(int t) const { return t == genchart::cFinal ? "final" : at(t).className; }
    int count() const { return static_cast<int>(chart.states.size()); }

    // Every transition leaving the state: those on events, then those without one.
    template <typename Fn> void forEachBranch(int s, Fn fn) const {
        for (const auto& group : at(s).events)
            for (const auto& branch : group.branches)
                fn(branch);
        for (const auto& branch : at(s).completion)
            fn(branch);
    }

    void add(const char* rule, Severity severity, std::string message,
             std::vector<ShapeRef> shapes) {
        out.push_back({rule, severity, std::move(message), std::move(shapes)});
    }

    // A state and what default entry enters below it; history can only return to a
    // sub-state that was entered before.
    void enter(int s) {
        for (int a = s; a != genchart::cTopLevel && !reached[static_cast<std::size_t>(a)];
             a = at(a).parent)
            reached[static_cast<std::size_t>(a)] = true;
        for (int d = at(s).initial; d >= 0; d = at(d).initial)
            reached[static_cast<std::size_t>(d)] = true;
    }

    void reachability() {
        reached.assign(chart.states.size(), false);
        if (chart.initial >= 0)
            enter(chart.initial);
        for (bool grew = true; grew;) {
            grew = false;
            for (int s = 0; s < count(); ++s) {
                if (!reached[static_cast<std::size_t>(s)])
                    continue;
                forEachBranch(s, [&](const genchart::Branch& branch) {
                    // A final state enters the states down to its region, no further.
                    const int to = branch.target >= 0 ? branch.target : branch.completes;
                    if (to < 0 || reached[static_cast<std::size_t>(to)])
                        return;
                    if (branch.target >= 0)
                        enter(to);
                    else
                        for (int a = to; a != genchart::cTopLevel; a = at(a).parent)
                            reached[static_cast<std::size_t>(a)] = true;
                    grew = true;
                });
            }
        }
        for (int s = 0; s < count(); ++s)
            if (!reached[static_cast<std::size_t>(s)])
                add("unreachable-state", Severity::Warning,
                    "the state " + at(s).className + " is never entered", {ref(s)});
    }

    void deadEnds() {
        for (int s = 0; s < count(); ++s) {
            if (!at(s).children.empty() || !reached[static_cast<std::size_t>(s)])
                continue;
            bool handles = false;
            bool leaves = false;
            for (int a = s; a != genchart::cTopLevel; a = at(a).parent)
                forEachBranch(a, [&](const genchart::Branch& branch) {
                    handles = true;
                    leaves = leaves || branch.target != s;
                });
            if (!handles)
                add("handles-no-event", Severity::Warning,
                    "no event does anything while " + at(s).className + " is active", {ref(s)});
            else if (!leaves)
                add("no-way-out", Severity::Warning,
                    "once " + at(s).className + " is entered, no transition leaves it", {ref(s)});
        }
    }

    void guardOrder() {
        for (int s = 0; s < count(); ++s)
            for (const auto& group : at(s).events) {
                const auto guarded = std::count_if(group.branches.begin(), group.branches.end(),
                                                   [](const auto& b) { return !b.guard.empty(); });
                if (guarded < 2)
                    continue;
                std::string order;
                std::vector<ShapeRef> shapes = {ref(s)};
                for (const auto& b : group.branches) {
                    order += (order.empty() ? "" : ", then ") +
                             (b.guard.empty() ? std::string("unguarded") : "[" + b.guard + "]") +
                             " to " + target(b.target);
                    shapes.push_back({"transition", b.transitionId});
                }
                add("guard-order", Severity::Note,
                    at(s).className + " tries its transitions on " + event(group.event) +
                        " in this order (the longer guard text first, the later drawn first "
                        "among equal lengths): " +
                        order,
                    shapes);
            }
    }

    void shadowing() {
        for (int s = 0; s < count(); ++s)
            for (const auto& group : at(s).events) {
                const bool unguarded = std::any_of(group.branches.begin(), group.branches.end(),
                                                   [](const auto& b) { return b.guard.empty(); });
                for (int a = at(s).parent; a != genchart::cTopLevel; a = at(a).parent)
                    for (const auto& outer : at(a).events) {
                        if (outer.event != group.event)
                            continue;
                        const bool outerUnguarded =
                            std::any_of(outer.branches.begin(), outer.branches.end(),
                                        [](const auto& b) { return b.guard.empty(); });
                        if (unguarded && !outerUnguarded)
                            add("shadowed-transition", Severity::Warning,
                                "while " + at(s).className +
                                    " is active, the guarded "
                                    "transitions of " +
                                    at(a).className + " on " + event(group.event) +
                                    " are never tried: " + at(s).className +
                                    "'s unguarded one always fires first",
                                {ref(s), ref(a)});
                        else if (!unguarded && outerUnguarded)
                            add("outer-fallback", Severity::Note,
                                "when no guard of " + at(s).className + " on " +
                                    event(group.event) + " holds, the unguarded transition of " +
                                    at(a).className + " fires instead",
                                {ref(s), ref(a)});
                    }
            }
    }

    void deadEvents() {
        for (int e = 0; e < static_cast<int>(chart.events.size()); ++e) {
            bool live = false;
            std::vector<ShapeRef> handlers;
            for (int s = 0; s < count(); ++s)
                for (const auto& group : at(s).events)
                    if (group.event == e) {
                        handlers.push_back(ref(s));
                        live = live || reached[static_cast<std::size_t>(s)];
                    }
            if (!live)
                add("dead-event", Severity::Warning,
                    "the event " + event(e) +
                        " does nothing: no state that handles it is ever "
                        "entered",
                    handlers);
        }
    }

    void uselessHistory() {
        for (int s = 0; s < count(); ++s)
            if (at(s).history && at(s).children.empty())
                add("useless-history", Severity::Warning,
                    at(s).className + " keeps history but has no sub-states", {ref(s)});
    }

    // What each generator will call the chart's events, by the rules they use: the chart
    // name made an identifier, the language's case, then the stable renaming.
    struct Language {
        const char* name;
        std::span<const std::string_view> keywords;
        std::vector<std::string_view> reserved;
        std::string (*spell)(const std::string&);
    };

    static std::vector<Language> languages() {
        using managednames::Language::CSharp;
        using managednames::Language::Java;
        const auto words = [](auto begin, auto end) {
            return std::vector<std::string_view>(begin, end);
        };
        const auto java = managednames::machineMembers(Java);
        const auto cs = managednames::machineMembers(CSharp);
        return {
            {"C++", cppnames::keywords(),
             words(std::begin(cppnames::cMachineMembers), std::end(cppnames::cMachineMembers)),
             [](const std::string& n) { return gennames::identifier(n); }},
            {"C", cppnames::keywords(),
             words(std::begin(cnames::cApiWords), std::end(cnames::cApiWords)),
             [](const std::string& n) { return gennames::identifier(n); }},
            {"Java", managednames::keywords(Java), words(java.begin(), java.end()),
             [](const std::string& n) {
                 return managednames::methodCase(gennames::identifier(n), Java);
             }},
            {"C#", managednames::keywords(CSharp), words(cs.begin(), cs.end()),
             [](const std::string& n) {
                 return managednames::methodCase(gennames::identifier(n), CSharp);
             }},
        };
    }

    void names() {
        std::map<std::string, std::vector<std::string>> renamed; // event: "X in C++", ...
        for (const Language& language : languages()) {
            gennames::NameTable table(language.keywords);
            for (std::string_view word : language.reserved)
                table.reserve(word);
            for (const auto& e : chart.events) {
                const std::string id = language.spell(e.name);
                try {
                    const std::string chosen = table.claimStable(id, e.name, "event");
                    if (chosen != id || gennames::identifier(e.name) != e.name)
                        renamed[e.name].push_back(chosen + " in " + language.name);
                } catch (const std::string& clash) {
                    add("name-clash", Severity::Error, std::string(language.name) + ": " + clash,
                        {{e.name, 0}});
                }
            }
        }
        for (const auto& e : chart.events) {
            const auto found = renamed.find(e.name);
            if (found == renamed.end())
                continue;
            std::string list;
            for (std::size_t i = 0; i < found->second.size(); ++i)
                list += (i == 0                          ? ""
                         : i + 1 == found->second.size() ? " and "
                                                         : ", ") +
                        found->second[i];
            add("renamed-event", Severity::Note, "the event " + e.name + " becomes " + list,
                {{e.name, 0}});
        }
    }

    const genchart::Chart& chart;
    std::vector<Diagnostic>& out;
    std::vector<bool> reached;
};

void checkShapes(const std::vector<Shape*>& shapes, std::vector<Diagnostic>& out) {
    for (Shape* shape : shapes) {
        if (auto* t = dynamic_cast<Transition*>(shape)) {
            if (t->getHeadStateId() == 0 || t->getTailStateId() == 0)
                out.push_back({"free-transition",
                               Severity::Note,
                               std::string("a transition has a free ") +
                                   (t->getHeadStateId() == 0 ? "start" : "end"),
                               {{"transition", t->getObjId()}}});
        } else if (auto* m = dynamic_cast<Mesg*>(shape)) {
            if (m->getTransitionId() == 0)
                out.push_back({"detached-label",
                               Severity::Note,
                               "the label \"" + m->getTextHandler()->getEvent() +
                                   "\" belongs to no transition",
                               {{"label", m->getObjId()}}});
        }
    }
}

// The front end drops notes and their lines, so they are read on their own.
void checkNoteLines(const std::string& modelPath, std::vector<Diagnostic>& out) {
    std::ifstream file(modelPath);
    if (!file)
        return;
    try {
        InArchive ar(file);
        ar.checkHeader();
        if (!ModelData::seekData(ar))
            return;
        Factory factory;
        ModelData data(factory);
        ar >> data;
        for (Shape*& shape : data.getShapeList()) {
            if (auto* l = dynamic_cast<Line*>(shape);
                l && (l->getHeadObjId() == 0 || l->getTailObjId() == 0))
                out.push_back({"free-note-line",
                               Severity::Note,
                               "a note's line has a free end",
                               {{"line", l->getObjId()}}});
            delete shape;
            shape = nullptr;
        }
        data.getShapeList().clear();
    } catch (...) {
        // The front end has reported the file already.
    }
}

} // namespace

const char* severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    }
    return "";
}

const std::vector<Rule>& rules() {
    static const std::vector<Rule> all = {
        {"front-end", Severity::Error, "The chart cannot be generated.",
         "The generators refuse the chart with this message; mend what it names."},
        {"unreachable-state", Severity::Warning, "A state is never entered.",
         "No transition, initial state or history leads to it; connect it or delete it."},
        {"handles-no-event", Severity::Warning, "Nothing can happen while a state is active.",
         "Neither the state nor a state around it has a transition; give it one."},
        {"no-way-out", Severity::Warning, "A state cannot be left once entered.",
         "Its transitions, and those of the states around it, lead back to it."},
        {"guard-order", Severity::Note, "The order guarded transitions are tried in.",
         "Transitions on one event are tried longest guard text first; reword a guard to "
         "change the order."},
        {"shadowed-transition", Severity::Warning,
         "An inner unguarded transition hides guarded ones of an outer state.",
         "The inner state handles the event first, always; guard it or move the outer ones."},
        {"outer-fallback", Severity::Note,
         "An outer unguarded transition fires when the inner guards fail.",
         "Intended as a fallback? Then nothing to do."},
        {"dead-event", Severity::Warning, "An event does nothing in any configuration.",
         "Every state that handles it is unreachable."},
        {"no-initial-state", Severity::Warning,
         "A composite state entered directly has no initial state.",
         "Draw an initial state inside it, or target one of its sub-states."},
        {"completion-never-fires", Severity::Warning,
         "A transition without an event leaves a composite state that never completes.",
         "Give the transition an event, or draw a final state in the composite's region."},
        {"no-label", Severity::Warning, "A transition without a label is left out of the machine.",
         "Give it an event, or an empty label to make it a completion transition."},
        {"initial-label", Severity::Warning, "A label on an initial transition is not used.",
         "Delete the label; an entry action of the target can do what its effect did."},
        {"useless-history", Severity::Warning, "History on a state without sub-states.",
         "Clear the state's History option."},
        {"name-clash", Severity::Error, "Two events would get one name in generated code.",
         "Rename one of them."},
        {"renamed-event", Severity::Note, "An event is renamed in generated code.",
         "Its function takes the name shown; rename the event to choose another."},
        {"free-transition", Severity::Note, "A transition with a free end.",
         "Attach both ends to states, or delete it."},
        {"detached-label", Severity::Note, "A label that belongs to no transition.",
         "Attach it to a transition, or delete it."},
        {"free-note-line", Severity::Note, "A note's line with a free end.",
         "Attach it, or delete it."},
    };
    return all;
}

std::vector<Diagnostic> checkChart(const std::string& modelPath) {
    std::vector<Diagnostic> out;
    ChartInspector inspector(modelPath);
    try {
        inspector.generate(nullptr);
    } catch (const std::string& message) {
        out.push_back({"front-end", Severity::Error, message, {}});
    } catch (const char* message) {
        out.push_back({"front-end", Severity::Error, message, {}});
    } catch (const std::exception& e) {
        out.push_back(
            {"front-end", Severity::Error, std::string("Unexpected failure: ") + e.what(), {}});
    } catch (...) {
        out.push_back({"front-end", Severity::Error, "Unexpected failure", {}});
    }
    checkShapes(inspector.getShapes(), out);
    checkNoteLines(modelPath, out);
    if (!inspector.chart)
        return out;
    // What every generator warns about, from the same place.
    for (ChartWarning& w : findChartWarnings(inspector.getShapes())) {
        std::vector<ShapeRef> shapes;
        for (const ChartWarning::Ref& r : w.shapes)
            shapes.push_back({r.name, r.id});
        out.push_back({w.rule, Severity::Warning, std::move(w.message), std::move(shapes)});
    }
    Checker(*inspector.chart, out).run();
    return out;
}

} // namespace check
