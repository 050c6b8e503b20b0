#include "generators/common/machine_generator.h"

#include "codegen/event_text.h"
#include "codegen/file_writer.h"
#include "codegen/model_info.h"
#include "generators/common/machine_walk.h"
#include "model/connectable_rect_shape.h"
#include "model/transition.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The same grouping and order as FileWriter::convertMesgData (one group per event in order of
// first appearance; within it the list taken backwards, stable-sorted longest guard first),
// but keeping each transition's target id, which the grouped records drop.
std::vector<std::pair<std::string, std::vector<const MesgInfo*>>>
groupInDispatchOrder(const std::list<MesgInfo>& transitions) {
    std::vector<std::pair<std::string, std::vector<const MesgInfo*>>> groups;
    for (const MesgInfo& t : transitions) {
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first == t.event; });
        if (group == groups.end())
            groups.emplace_back(t.event, std::vector<const MesgInfo*>{&t});
        else
            group->second.push_back(&t);
    }
    for (auto& [event, branches] : groups) {
        std::reverse(branches.begin(), branches.end());
        std::stable_sort(branches.begin(), branches.end(), [](const auto* a, const auto* b) {
            return a->guard.size() > b->guard.size();
        });
    }
    return groups;
}

} // namespace

genchart::Chart MachineGenerator::buildChart(gennames::NameTable& members,
                                             gennames::NameTable& userCode) const {
    const ModelInfo& info = *ModelInfo::getInstance();
    // A top-level initial state makes the front end wrap the whole chart into one composite
    // named after the model; that composite stands for the chart itself.
    const auto& top = rootMachine->getSubStates();
    const auto* wrapper =
        top.size() == 1 ? dynamic_cast<const StateMachine*>(top.front()) : nullptr;
    if (!wrapper || wrapper->isRoot() || info.rootNode.children.size() != 1)
        throw std::string("The chart has no initial state at its top level.");
    const StateNode& topNode = *info.rootNode.children.front();

    genchart::Chart chart;
    chart.sourceName = std::filesystem::path(modelFileName).filename().string();
    chart.modelName = info.modelName;
    chart.headerFileName = info.headerFileName;
    chart.trace = trace;

    // States have a scope of their own (an enumeration in every language), so that neither
    // an event nor another state's name decides what a state is called, and vice versa.
    gennames::NameTable stateNames = members.sibling();
    stateNames.reserve("None_");
    std::vector<const StateNode*> nodes;
    const auto collect = [&](const auto& self, const StateNode& node, int parent) -> void {
        const int index = static_cast<int>(chart.states.size());
        genchart::State state;
        state.className = node.className;
        state.shapeId = node.stateId;
        state.id = stateNames.claim(node.className);
        state.parent = parent;
        state.history = node.history;
        state.onEntry = node.entryExit.onEntry;
        state.onExit = node.entryExit.onExit;
        chart.states.push_back(std::move(state));
        nodes.push_back(&node);
        if (parent != genchart::cTopLevel)
            chart.states[static_cast<std::size_t>(parent)].children.push_back(index);
        for (const auto& child : node.children)
            self(self, *child, index);
    };
    for (const auto& child : topNode.children)
        collect(collect, *child, genchart::cTopLevel);
    for (const genchart::State& state : chart.states)
        if (state.history)
            members.reserve(state.id + "_history_");

    // An event's function is a public name: adding an event must never move an existing
    // name to another event, so clashes are refused rather than numbered.
    std::map<std::string, int> eventIndex;
    for (const std::string& name : info.messageNames) {
        // A label without an event is no event anybody can send: its transitions complete.
        if (name.empty())
            continue;
        eventIndex.emplace(name, static_cast<int>(chart.events.size()));
        genchart::Event event{
            name, members.claimStable(eventIdentifier(name), name, "event"), {}, {}};
        if (const auto found = info.eventSignatures.find(name);
            found != info.eventSignatures.end()) {
            event.signature = found->second;
            for (const EventParameter& p : parseParameters(name, found->second))
                event.parameters.push_back({p.type, p.name});
        }
        chart.events.push_back(std::move(event));
    }
    // The machine's own per-state functions give way to the events.
    for (genchart::State& state : chart.states)
        state.reactFn = members.claim(state.id + "_react");

    std::map<long, int> stateIndex;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        stateIndex.emplace(nodes[i]->stateId, static_cast<int>(i));
    const auto indexOf = [&](long id, int fallback) {
        const auto found = stateIndex.find(id);
        return found == stateIndex.end() ? fallback : found->second;
    };

    chart.initial = indexOf(initialTargetId(topNode), -1);
    if (chart.initial < 0)
        throw std::string("The chart has no initial state at its top level.");
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const StateNode& node = *nodes[i];
        genchart::State& state = chart.states[i];
        if (node.initialStateId != -1)
            state.initial = indexOf(initialTargetId(node), -1);

        // The shared grouping checks the chart (a second unguarded branch throws) and fixes
        // the order every generator uses; the local one must agree with it.
        // The shared grouping would name the missing event as an empty one.
        if (std::count_if(node.transitions.begin(), node.transitions.end(),
                          [](const auto& t) { return t.event.empty() && t.guard.empty(); }) > 1)
            throw "The state " + node.className +
                " has two transitions without event and without guard; only one could fire.";
        std::list<MData> grouped;
        FileWriter::convertMesgData(node.transitions, grouped);
        const auto groups = groupInDispatchOrder(node.transitions);
        auto check = grouped.begin();
        for (const auto& [event, branches] : groups) {
            if (check == grouped.end() || check->event != event ||
                check->entries.size() != branches.size())
                throw "Internal error: dispatch order of " + node.className;
            genchart::EventGroup group;
            group.event = event.empty() ? -1 : eventIndex.at(event);
            auto entry = check->entries.begin();
            for (const MesgInfo* t : branches) {
                if (entry->guard != t->guard || entry->targetClassName != t->targetClassName)
                    throw "Internal error: dispatch order of " + node.className;
                ++entry;
                // Only a guard of blanks is no expression; treat it as no guard.
                genchart::Branch branch;
                branch.guard = blank(t->guard) ? std::string() : t->guard;
                branch.effect = t->effect;
                branch.target = indexOf(t->targetId, genchart::cFinal);
                branch.transitionId = t->transitionId;
                if (branch.target == genchart::cFinal)
                    branch.completes = regionOf(t->targetId, nodes);
                group.branches.push_back(std::move(branch));
            }
            if (event.empty())
                state.completion = std::move(group.branches);
            else
                state.events.push_back(std::move(group));
            ++check;
        }
    }
    if (chart.hasCompletion()) {
        // Names ending in '_' are the generator's own, so no chart event takes this one.
        chart.completion.id = "None_";
        for (genchart::State& state : chart.states)
            if (!state.completion.empty())
                state.completeFn = members.claim(state.id + "_complete");
        if (const std::vector<int> cycle = genchart::completionCycle(chart); !cycle.empty()) {
            std::string path;
            for (const int s : cycle)
                path += (path.empty() ? "" : " -> ") +
                        chart.states[static_cast<std::size_t>(s)].className;
            throw "Eventless transitions form a cycle: " + path + "; give one of them a guard.";
        }
    }
    nameUserCode(chart, userCode);
    return chart;
}

void MachineGenerator::refuseParameterNames(const genchart::Chart& chart,
                                            std::initializer_list<std::string_view> taken) {
    for (const genchart::Event& event : chart.events)
        for (const genchart::Parameter& parameter : event.parameters)
            for (const std::string_view name : taken)
                if (parameter.name == name)
                    throw "The event \"" + event.name + "\" has a parameter named \"" +
                        parameter.name + "\", a name the generated code uses itself; rename it.";
}

// Named after the state, in chart order.
void MachineGenerator::nameUserCode(genchart::Chart& chart, gennames::NameTable& names) {
    for (genchart::State& state : chart.states) {
        if (!state.onEntry.empty())
            state.entryFn = names.claim(state.id + "_entry");
        if (!state.onExit.empty())
            state.exitFn = names.claim(state.id + "_exit");
        int n = 0;
        for (genchart::EventGroup& group : state.events)
            for (genchart::Branch& branch : group.branches) {
                ++n;
                const std::string base =
                    state.id + "_" + chart.events[static_cast<std::size_t>(group.event)].id;
                if (!branch.guard.empty())
                    branch.guardFn = names.claim(base + "_guard" + std::to_string(n));
                if (!branch.effect.empty())
                    branch.effectFn = names.claim(base + "_effect" + std::to_string(n));
            }
        n = 0;
        for (genchart::Branch& branch : state.completion) {
            ++n;
            const std::string base = state.id + "_completion";
            if (!branch.guard.empty())
                branch.guardFn = names.claim(base + "_guard" + std::to_string(n));
            if (!branch.effect.empty())
                branch.effectFn = names.claim(base + "_effect" + std::to_string(n));
        }
    }
}

// The innermost state drawn around the shape, or the top level.
int MachineGenerator::regionOf(long shapeId, const std::vector<const StateNode*>& nodes) const {
    const Shape* shape = getShape(shapeId);
    const auto* drawn = dynamic_cast<const ConnectableRectShape*>(shape);
    if (!drawn)
        return genchart::cTopLevel;
    const CRect r = drawn->getRect();
    int inner = genchart::cTopLevel;
    LONG innerArea = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto* state = dynamic_cast<const ConnectableRectShape*>(getShape(nodes[i]->stateId));
        if (!state)
            continue;
        const CRect s = state->getRect();
        const LONG area = s.Width() * s.Height();
        if (s.left <= r.left && s.top <= r.top && r.right <= s.right && r.bottom <= s.bottom &&
            (inner == genchart::cTopLevel || area < innerArea)) {
            inner = static_cast<int>(i);
            innerArea = area;
        }
    }
    return inner;
}

long MachineGenerator::initialTargetId(const StateNode& node) const {
    if (const auto* initial = dynamic_cast<const StartableState*>(getShape(node.initialStateId)))
        if (!initial->getHeads().empty())
            return initial->getHeads().front()->getTailStateId();
    return -1;
}
