#include "generators/sim/chart_simulator.h"

#include "generators/common/machine_walk.h"

#include <algorithm>

namespace sim {

using genchart::Branch;

const char* resultName(Result result) {
    switch (result) {
    case Result::Handled:
        return "handled";
    case Result::Ignored:
        return "ignored";
    case Result::Queued:
        return "queued";
    case Result::Dropped:
        return "dropped";
    }
    return "";
}

ChartSimulator::ChartSimulator(genchart::Chart chart, std::size_t queueSize)
    : model(std::move(chart)), queueCapacity(queueSize), history(model.states.size(), cNone) {}

const genchart::State& ChartSimulator::at(int state) const {
    return model.states[static_cast<std::size_t>(state)];
}

int ChartSimulator::eventIndex(const std::string& name) const {
    for (std::size_t i = 0; i < model.events.size(); ++i)
        if (model.events[i].name == name)
            return static_cast<int>(i);
    return -1;
}

void ChartSimulator::answerGuard(const std::string& guardText, bool answer) {
    const auto known = std::find_if(answers.begin(), answers.end(),
                                    [&](const auto& a) { return a.first == guardText; });
    if (known == answers.end())
        answers.emplace_back(guardText, answer);
    else
        known->second = answer;
}

bool ChartSimulator::isIn(int state) const {
    for (int s = active; s != cNone; s = at(s).parent)
        if (s == state)
            return true;
    return false;
}

std::vector<int> ChartSimulator::configuration() const {
    std::vector<int> chain;
    for (int s = active; s != cNone; s = at(s).parent)
        chain.insert(chain.begin(), s);
    return chain;
}

std::pair<int, std::string> ChartSimulator::findEventCall(const std::string& text) const {
    const auto trim = [](const std::string& t) {
        const auto first = t.find_first_not_of(" \t");
        return first == std::string::npos ? std::string()
                                          : t.substr(first, t.find_last_not_of(" \t") + 1 - first);
    };
    const std::string call = trim(text);
    if (const int whole = eventIndex(call); whole >= 0)
        return {whole, {}};
    const auto open = call.find('(');
    if (open != std::string::npos && call.back() == ')')
        return {eventIndex(trim(call.substr(0, open))),
                trim(call.substr(open + 1, call.size() - open - 2))};
    const auto blank = call.find_first_of(" \t");
    if (blank == std::string::npos)
        return {-1, {}};
    return {eventIndex(call.substr(0, blank)), trim(call.substr(blank))};
}

std::vector<std::string> ChartSimulator::annotatedRaises(const std::string& code) {
    static const std::string marker = "@raise ";
    std::vector<std::string> events;
    for (std::size_t at = code.find(marker); at != std::string::npos;
         at = code.find(marker, at + marker.size())) {
        const std::size_t from = at + marker.size();
        std::string name = code.substr(from, code.find_first_of("\r\n", from) - from);
        if (const auto close = name.find("*/"); close != std::string::npos)
            name.erase(close);
        const auto first = name.find_first_not_of(" \t");
        const auto last = name.find_last_not_of(" \t");
        if (first != std::string::npos)
            events.push_back(name.substr(first, last - first + 1));
    }
    return events;
}

std::vector<Explanation> ChartSimulator::start() {
    if (isStarted || busy)
        return {};
    isStarted = true;
    busy = true;
    std::vector<Explanation> out(1);
    current = &out.front();
    out.front().result = Result::Handled;
    enter(model.initial, Step::DefaultEntry, out.front());
    enterDefault(out.front());
    complete(out.front());
    drain(out);
    busy = false;
    current = nullptr;
    return out;
}

std::vector<Explanation> ChartSimulator::send(int event, std::string arguments) {
    if (event < 0 || static_cast<std::size_t>(event) >= model.events.size())
        throw std::string("No such event.");
    if (busy) {
        post(event, std::move(arguments));
        return {};
    }
    busy = true;
    std::vector<Explanation> out(1);
    process(event, std::move(arguments), out.front());
    drain(out);
    busy = false;
    current = nullptr;
    return out;
}

Result ChartSimulator::post(int event, std::string arguments) {
    if (!current)
        throw std::string("An event can only be posted while an action runs.");
    raise(event, std::move(arguments), *current);
    return current->raised.back().result;
}

void ChartSimulator::drain(std::vector<Explanation>& out) {
    while (!queue.empty()) {
        auto next = std::move(queue.front());
        queue.pop_front();
        out.emplace_back(); // may move the earlier explanations: process points at the new one
        process(next.first, std::move(next.second), out.back());
    }
}

bool ChartSimulator::ask(int state, int event, int position, const Branch& branch) {
    if (guardOracle)
        return guardOracle({state, event, position, branch});
    const auto known = std::find_if(answers.begin(), answers.end(),
                                    [&](const auto& a) { return a.first == branch.guard; });
    return known == answers.end() ? defaultAnswer : known->second;
}

// The innermost active state first, then outwards; within a state, dispatch order. Every
// transition met is listed, also those a firing one kept from being tried.
void ChartSimulator::process(int event, std::string arguments, Explanation& out) {
    current = &out;
    out.event = event;
    out.arguments = std::move(arguments);
    const genchart::Event& e = model.events[static_cast<std::size_t>(event)];
    int firedState = cNone;
    const Branch* firedBranch = nullptr;
    for (int s : genchart::searchChain(model, active, &e)) {
        int depth = 0;
        for (int d = active; d != s; d = at(d).parent)
            ++depth;
        for (const genchart::EventGroup& group : at(s).events) {
            if (group.event != event)
                continue;
            for (std::size_t i = 0; i < group.branches.size(); ++i) {
                const Branch& branch = group.branches[i];
                Candidate c{s, depth, static_cast<int>(i), &branch};
                if (firedBranch) {
                    c.verdict = s == firedState ? Candidate::NotReached : Candidate::Shadowed;
                } else if (!branch.guard.empty() &&
                           !(c.guardAnswer = ask(s, event, c.position, branch))) {
                    c.guardAsked = true;
                    c.verdict = Candidate::GuardFalse;
                } else {
                    c.guardAsked = !branch.guard.empty();
                    c.verdict = Candidate::Fired;
                    firedState = s;
                    firedBranch = &branch;
                }
                out.candidates.push_back(c);
            }
        }
    }
    if (!firedBranch) {
        out.result = Result::Ignored;
        out.wasFinished = isFinished;
        out.trace.push_back((isFinished ? "ignored (finished): " : "ignored: ") + e.name);
        return;
    }
    out.result = Result::Handled;
    runSteps(firedState, *firedBranch, e, out);
    complete(out);
}

// After a transition: the composite it completed, else the innermost active state when it has
// no sub-states (it was just entered), tries its completion transitions once; one that fires
// may complete the next state.
void ChartSimulator::complete(Explanation& out) {
    for (;;) {
        const int region = completing;
        completing = cNone;
        const int s = region != cNone ? region : active;
        if (s == cNone || at(s).completion.empty() || (region == cNone && !at(s).children.empty()))
            return;
        out.steps.push_back({Step::Complete, s, cNone, {}, {}});
        const Branch* fired = nullptr;
        for (std::size_t i = 0; i < at(s).completion.size() && !fired; ++i) {
            const Branch& branch = at(s).completion[i];
            if (!branch.guard.empty()) {
                const bool answer = ask(s, cCompletion, static_cast<int>(i), branch);
                out.steps.push_back({Step::CompletionGuard,
                                     s,
                                     branch.target == genchart::cFinal ? cNone : branch.target,
                                     branch.guard,
                                     {},
                                     answer});
                if (!answer)
                    continue;
            }
            fired = &branch;
        }
        if (!fired)
            return;
        runSteps(s, *fired, model.completion, out);
    }
}

void ChartSimulator::runSteps(int source, const Branch& branch, const genchart::Event& event,
                              Explanation& out) {
    const auto steps = genchart::transitionSteps(model, source, branch, event);
    int exited = cNone;      // the last state the run-time exits left
    bool pastTarget = false; // entries below the target are default entries
    for (const genchart::Step& step : steps) {
        switch (step.kind) {
        case genchart::Step::ExitBelow:
            exited = exitTo(step.state, out);
            break;
        case genchart::Step::Exit:
            active = at(step.state).parent;
            exitState(step.state, step.child == genchart::cExitedChild ? exited : step.child, out);
            break;
        case genchart::Step::Fire: {
            const int target = branch.target == genchart::cFinal ? cNone : branch.target;
            out.steps.push_back({Step::Fire, source, target, {}, step.trace});
            out.trace.push_back(step.trace);
            break;
        }
        case genchart::Step::Effect:
            runAction({Step::Effect, source, cNone, branch.effect, {}}, out);
            break;
        case genchart::Step::Finish:
            isFinished = true;
            out.steps.push_back({Step::Finish, cNone, cNone, {}, step.trace});
            out.trace.push_back(step.trace);
            break;
        case genchart::Step::Enter:
            enter(step.state, pastTarget ? Step::DefaultEntry : Step::Entry, out);
            pastTarget = pastTarget || step.state == branch.target;
            break;
        case genchart::Step::EnterDefault:
            enterDefault(out);
            break;
        case genchart::Step::Complete:
            completing = step.state;
            break;
        }
    }
}

int ChartSimulator::exitTo(int stop, Explanation& out) {
    int child = cNone;
    while (active != stop) {
        const int s = active;
        active = at(s).parent;
        exitState(s, child, out);
        child = s;
    }
    return child;
}

// A state with history remembers the direct sub-state that was active.
void ChartSimulator::exitState(int state, int child, Explanation& out) {
    if (at(state).history)
        history[static_cast<std::size_t>(state)] = child;
    runAction({Step::Exit, state, cNone, at(state).onExit, "exit " + at(state).className}, out);
}

void ChartSimulator::enter(int state, Step::Kind kind, Explanation& out) {
    active = state;
    runAction({kind, state, cNone, at(state).onEntry, "enter " + at(state).className}, out);
}

// Below the innermost active state: its history, else its initial state, until neither.
void ChartSimulator::enterDefault(Explanation& out) {
    while (active != cNone) {
        const genchart::State& state = at(active);
        const int remembered = state.history ? history[static_cast<std::size_t>(active)] : cNone;
        if (remembered != cNone)
            enter(remembered, Step::HistoryEntry, out);
        else if (state.initial >= 0)
            enter(state.initial, Step::DefaultEntry, out);
        else
            return;
    }
}

void ChartSimulator::runAction(const Step& step, Explanation& out) {
    out.steps.push_back(step);
    if (!step.trace.empty())
        out.trace.push_back(step.trace);
    if (step.code.empty())
        return;
    for (const std::string& call : actionHook ? actionHook(step) : annotatedRaises(step.code)) {
        auto [event, arguments] = findEventCall(call);
        if (event < 0)
            throw "An action raises \"" + call + "\", which is no event of the chart.";
        raise(event, std::move(arguments), out);
    }
}

void ChartSimulator::raise(int event, std::string arguments, Explanation& out) {
    if (queue.size() >= queueCapacity) {
        out.raised.push_back({event, Result::Dropped, std::move(arguments)});
        out.trace.push_back("dropped (queue full): " +
                            model.events[static_cast<std::size_t>(event)].name);
        return;
    }
    out.raised.push_back({event, Result::Queued, arguments});
    queue.emplace_back(event, std::move(arguments));
}

} // namespace sim
