#include "generators/common/machine_walk.h"

#include "generators/common/code_printer.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace genchart {

namespace {

const State& at(const Chart& chart, int index) {
    return chart.states[static_cast<std::size_t>(index)];
}

// Straight-line exits from source up to, not including, stop. Below a leaf nothing else can
// be active; below a composite state the innermost active state is known only at run time.
void addExits(const Chart& chart, std::vector<Step>& steps, int source, int stop) {
    int child = cTopLevel;
    if (!at(chart, source).children.empty()) {
        const bool keep = at(chart, source).history;
        steps.push_back({Step::ExitBelow, source, cTopLevel, keep, {}, {}});
        if (keep)
            child = cExitedChild;
    }
    for (int s = source; s != stop; s = at(chart, s).parent) {
        const State& state = at(chart, s);
        steps.push_back({Step::Exit, s, child, false, state.exitFn, "exit " + state.className});
        child = s;
    }
}

void addEnter(const Chart& chart, std::vector<Step>& steps, int s) {
    const State& state = at(chart, s);
    steps.push_back({Step::Enter, s, cTopLevel, false, state.entryFn, "enter " + state.className});
}

// True when `outer` is `inner` or one of the states around it.
bool contains(const Chart& chart, int outer, int inner) {
    for (int s = inner; s != cTopLevel; s = at(chart, s).parent)
        if (s == outer)
            return true;
    return false;
}

} // namespace

int commonAncestor(const Chart& chart, int source, int target) {
    for (int d = at(chart, source).parent; d != cTopLevel; d = at(chart, d).parent)
        for (int t = at(chart, target).parent; t != cTopLevel; t = at(chart, t).parent)
            if (t == d)
                return d;
    return cTopLevel;
}

std::vector<Step> transitionSteps(const Chart& chart, int source, const Branch& branch,
                                  const Event& event) {
    const State& state = at(chart, source);
    std::vector<Step> steps;
    const auto fire = [&](const std::string& target) {
        steps.push_back({Step::Fire,
                         source,
                         cTopLevel,
                         false,
                         {},
                         state.className + " -" + event.name + "-> " + target});
        if (!branch.effectFn.empty())
            steps.push_back({Step::Effect, source, cTopLevel, false, branch.effectFn, {}});
    };
    if (branch.target == cFinal) {
        // The final state's region completes: everything below the innermost state around
        // both the source and the final state is exited, then the states down to the region
        // are entered, and the region stays active as the innermost state.
        const int region = branch.completes;
        int common = region;
        while (common != cTopLevel && !contains(chart, common, source))
            common = at(chart, common).parent;
        if (common == source)
            common = at(chart, source).parent;
        addExits(chart, steps, source, common);
        fire("final");
        std::vector<int> path;
        for (int s = region; s != common; s = at(chart, s).parent)
            path.push_back(s);
        for (auto s = path.rbegin(); s != path.rend(); ++s)
            addEnter(chart, steps, *s);
        if (region == cTopLevel)
            steps.push_back({Step::Finish, cTopLevel, cTopLevel, false, {}, "finished"});
        else if (!at(chart, region).completion.empty())
            steps.push_back({Step::Complete, region, cTopLevel, false, {}, {}});
        return steps;
    }
    const int common = commonAncestor(chart, source, branch.target);
    addExits(chart, steps, source, common);
    fire(at(chart, branch.target).className);
    std::vector<int> path;
    for (int s = branch.target; s != common; s = at(chart, s).parent)
        path.push_back(s);
    for (auto s = path.rbegin(); s != path.rend(); ++s)
        addEnter(chart, steps, *s);
    // Default entry is known here down to the first state with history.
    int s = branch.target;
    while (at(chart, s).initial >= 0 && !at(chart, s).history) {
        s = at(chart, s).initial;
        addEnter(chart, steps, s);
    }
    if (at(chart, s).history)
        steps.push_back({Step::EnterDefault, s, cTopLevel, false, {}, {}});
    return steps;
}

int completedBy(const Chart& chart, const Branch& branch) {
    int s = branch.target == cFinal ? branch.completes : branch.target;
    if (s == cTopLevel)
        return cTopLevel;
    if (branch.target != cFinal) {
        // Default entry ends in the state that completes on entry, unless history decides.
        while (at(chart, s).initial >= 0 && !at(chart, s).history)
            s = at(chart, s).initial;
        if (at(chart, s).history || !at(chart, s).children.empty())
            return cTopLevel;
    }
    return at(chart, s).completion.empty() ? cTopLevel : s;
}

std::vector<int> completionCycle(const Chart& chart) {
    // Each state has at most one unguarded completion transition, so following them from a
    // state either stops or runs into a cycle.
    const auto next = [&](int s) {
        for (const Branch& branch : at(chart, s).completion)
            if (branch.guard.empty())
                return completedBy(chart, branch);
        return cTopLevel;
    };
    const int count = static_cast<int>(chart.states.size());
    for (int first = 0; first < count; ++first) {
        std::vector<int> path;
        for (int s = first; s != cTopLevel; s = next(s)) {
            const auto seen = std::find(path.begin(), path.end(), s);
            if (seen != path.end()) {
                std::vector<int> cycle(seen, path.end());
                cycle.push_back(s);
                return cycle;
            }
            path.push_back(s);
        }
    }
    return {};
}

std::vector<int> searchChain(const Chart& chart, int active, const Event* event) {
    const auto reacts = [&](const State& state) {
        if (!event)
            return !state.events.empty();
        const int index = static_cast<int>(event - chart.events.data());
        for (const EventGroup& group : state.events)
            if (group.event == index)
                return true;
        return false;
    };
    std::vector<int> chain;
    for (int s = active; s != cTopLevel; s = at(chart, s).parent)
        if (reacts(at(chart, s)))
            chain.push_back(s);
    return chain;
}

void writeSteps(CodePrinter& p, const Chart& chart, const std::vector<Step>& steps,
                const StepSyntax& syntax) {
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::ExitBelow:
            p.print(step.keepChild ? syntax.exitBelowKeep : syntax.exitBelow,
                    {{"s", syntax.stateRef(step.state)}});
            break;
        case Step::Exit:
            p.print(syntax.setActive, {{"s", syntax.stateRef(at(chart, step.state).parent)}});
            if (at(chart, step.state).history)
                p.print(syntax.setHistory,
                        {{"id", at(chart, step.state).id},
                         {"child",
                          step.child == cExitedChild ? "child" : syntax.stateRef(step.child)}});
            break;
        case Step::Enter:
            p.print(syntax.setActive, {{"s", syntax.stateRef(step.state)}});
            break;
        case Step::Finish:
            p.print(syntax.finish);
            break;
        case Step::EnterDefault:
            p.print(syntax.enterDefault);
            break;
        case Step::Complete:
            p.print(syntax.complete, {{"s", syntax.stateRef(step.state)}});
            break;
        case Step::Fire:
        case Step::Effect:
            break;
        }
        if (chart.trace && !step.trace.empty())
            p.print(syntax.trace, {{"line", syntax.literal(step.trace)}});
        if (!step.fn.empty())
            p.print(syntax.call, {{"fn", step.fn}});
    }
}

void writeBranch(CodePrinter& p, const Chart& chart, const State& state, const Branch& branch,
                 const Event& event, const StepSyntax& syntax) {
    const int source = static_cast<int>(&state - chart.states.data());
    if (branch.guardFn.empty())
        p.print("{\n");
    else
        p.print("if (" + syntax.guard + ") {\n", {{"guard", branch.guardFn}});
    {
        auto body = p.indent();
        writeSteps(p, chart, transitionSteps(chart, source, branch, event), syntax);
        p.print(syntax.fired);
    }
    p.print("}\n");
}

std::size_t flatLineLimit(std::size_t fallback) {
    const char* text = std::getenv("TAVREN_FLAT_LINES");
    if (text == nullptr)
        return fallback;
    std::size_t limit = 0;
    const char* end = text + std::strlen(text);
    const auto [last, error] = std::from_chars(text, end, limit);
    return error == std::errc() && last == end ? limit : fallback;
}

} // namespace genchart
