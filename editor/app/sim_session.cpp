#include "editor/app/sim_session.h"

#include "editor/app/chart_copy.h"
#include "generators/sim/chart_loader.h"
#include "generators/sim/explanation_text.h"
#include "view/layout_mgr.h"

namespace {

genchart::Chart readChart(LayoutMgr& view) {
    const ChartCopy copy(view);
    try {
        return loadChart(copy.path());
    } catch (const char* reason) {
        throw std::string(reason);
    } catch (const std::exception& e) {
        throw std::string(e.what());
    }
}

} // namespace

SimSession::SimSession(LayoutMgr& view) : model(readChart(view)) {
    reset();
}

std::vector<std::string> SimSession::eventNames() const {
    std::vector<std::string> names;
    for (const genchart::Event& e : model.events)
        names.push_back(e.name);
    return names;
}

void SimSession::reset() {
    replay.reset();
    trace.clear();
    remembered.clear();
    inputs.clear();
    answers.clear();
    lines.clear();
    last.clear();
    disagreement = {};
    simulator = std::make_unique<sim::ChartSimulator>(model);
    simulator->setGuardOracle([this](const sim::GuardQuestion& q) { return oracle(q); });
}

bool SimSession::oracle(const sim::GuardQuestion& q) {
    if (replayed) {
        const Given g = nextReplayed < replayed->size() ? (*replayed)[nextReplayed++]
                                                        : Given{false, "as before"};
        given.push_back(g);
        return g.value;
    }
    if (const auto known = remembered.find(q.branch.guard); known != remembered.end()) {
        given.push_back({known->second, "remembered"});
        return known->second;
    }
    const Answer answer = askGuard ? askGuard(q) : Answer{};
    if (answer.remember)
        remembered[q.branch.guard] = answer.value;
    given.push_back({answer.value, "your answer"});
    return answer.value;
}

void SimSession::start() {
    if (!replay && !started())
        run(-1);
}

bool SimSession::send(const std::string& event) {
    const int index = simulator->eventIndex(event);
    if (replay || index < 0)
        return false;
    run(index);
    return true;
}

// An action that raises an event the chart does not have stops the simulator halfway; the
// run goes back to where it was before the step, and the reason goes to the caller.
void SimSession::run(int event) {
    given.clear();
    std::vector<sim::Explanation> out;
    try {
        out = event < 0 ? simulator->start() : simulator->send(event);
    } catch (const std::string&) {
        rerun(inputs, answers);
        throw;
    }
    inputs.push_back(event);
    answers.push_back(given);
    record(out, given);
}

bool SimSession::stepBack() {
    if (inputs.empty())
        return false;
    if (replay) {
        const std::size_t keep = inputs.size() - 1;
        startReplay(trace);
        while (inputs.size() < keep && replayStep()) {
        }
        return true;
    }
    auto before = inputs;
    before.pop_back();
    rerun(std::move(before), answers);
    return true;
}

// From the start again, each input with the guard answers it had; answers remembered for the
// run are kept.
void SimSession::rerun(std::vector<int> again, std::vector<std::vector<Given>> withAnswers) {
    const auto keep = remembered;
    reset();
    remembered = keep;
    for (std::size_t i = 0; i < again.size(); ++i) {
        replayed = &withAnswers[i];
        nextReplayed = 0;
        run(again[i]);
    }
    replayed = nullptr;
}

sim::TraceCheck SimSession::startReplay(std::vector<std::string> lines_) {
    reset();
    trace = std::move(lines_);
    replay = std::make_unique<sim::TraceReplay>(model, trace);
    return sim::checkTrace(model, trace);
}

bool SimSession::replayStep() {
    if (!replay || replay->done())
        return false;
    const bool more = replay->step();
    if (!replay->lastRun().empty()) {
        inputs.push_back(replay->lastRun().front().event);
        answers.emplace_back();
        record(replay->lastRun(), {});
    }
    if (!more) {
        if (replay->check().agrees)
            lines.push_back({"end of the trace: it agrees with the chart", {}, true});
        else
            recordDisagreement(replay->check());
    }
    return more;
}

long SimSession::stateShape(int state) const {
    return state == sim::cNone ? 0 : model.states[static_cast<std::size_t>(state)].shapeId;
}

void SimSession::record(const std::vector<sim::Explanation>& run,
                        const std::vector<Given>& answersGiven) {
    last = run;
    std::size_t asked = 0;
    for (const sim::Explanation& e : run) {
        const std::vector<std::string> text = sim::explanationLines(model, e);
        const std::size_t expected = 1 + e.candidates.size() + e.steps.size() + e.raised.size();
        std::vector<LogLine> out;
        for (const std::string& t : text)
            out.push_back({t, {}, false});
        out.front().head = true;
        if (text.size() == expected) {
            long fired = 0;
            for (std::size_t i = 0; i < e.candidates.size(); ++i) {
                const sim::Candidate& c = e.candidates[i];
                LogLine& line = out[1 + i];
                line.shapes = {c.branch->transitionId, stateShape(c.state)};
                out.front().shapes.push_back(c.branch->transitionId);
                if (c.verdict == sim::Candidate::Fired)
                    fired = c.branch->transitionId;
                if (c.guardAsked) {
                    const char* how = asked < answersGiven.size() ? answersGiven[asked].how
                                      : replay                    ? "as the trace shows"
                                                                  : "default";
                    ++asked;
                    line.text += std::string(" (") + how + ")";
                }
            }
            for (std::size_t i = 0; i < e.steps.size(); ++i) {
                const sim::Step& s = e.steps[i];
                LogLine& line = out[1 + e.candidates.size() + i];
                // A completion's guards are asked after the candidates', in the same order.
                if (s.kind == sim::Step::CompletionGuard) {
                    const char* how = asked < answersGiven.size() ? answersGiven[asked].how
                                      : replay                    ? "as the trace shows"
                                                                  : "default";
                    ++asked;
                    line.text += std::string(" (") + how + ")";
                }
                if (s.kind == sim::Step::Complete)
                    fired = 0; // the completion transition that fires is found by its ends
                if (s.kind == sim::Step::Fire && !fired)
                    for (const genchart::Branch& b :
                         model.states[static_cast<std::size_t>(s.state)].completion)
                        if ((b.target < 0 ? sim::cNone : b.target) == s.target) {
                            fired = b.transitionId;
                            break;
                        }
                if (s.kind == sim::Step::Fire)
                    line.shapes = {fired, stateShape(s.state), stateShape(s.target)};
                else if (s.kind == sim::Step::Effect)
                    line.shapes = {fired};
                else
                    line.shapes = {stateShape(s.state)};
            }
        }
        lines.insert(lines.end(), out.begin(), out.end());
    }
}

// The shapes a trace line names: the state entered or left, or the transition that fired
// (its source and target when the chart has no such transition).
std::vector<long> SimSession::lineShapes(const std::string& line) const {
    const auto stateNamed = [&](const std::string& name) -> const genchart::State* {
        for (const genchart::State& s : model.states)
            if (s.className == name)
                return &s;
        return nullptr;
    };
    for (const std::string verb : {"enter ", "exit "})
        if (line.rfind(verb, 0) == 0)
            if (const genchart::State* s = stateNamed(line.substr(verb.size())))
                return {s->shapeId};
    for (const genchart::State& s : model.states)
        for (const genchart::Event& e : model.events) {
            const std::string head = s.className + " -" + e.name + "-> ";
            if (line.rfind(head, 0) != 0)
                continue;
            const std::string target = line.substr(head.size());
            for (const genchart::EventGroup& group : s.events)
                if (model.events[static_cast<std::size_t>(group.event)].name == e.name)
                    for (const genchart::Branch& b : group.branches) {
                        const std::string name =
                            b.target < 0
                                ? "final"
                                : model.states[static_cast<std::size_t>(b.target)].className;
                        if (name == target)
                            return {b.transitionId, s.shapeId};
                    }
            std::vector<long> ends = {s.shapeId};
            if (const genchart::State* t = stateNamed(target))
                ends.push_back(t->shapeId);
            return ends;
        }
    // A completion transition's line names no event: "A --> B".
    for (const genchart::State& s : model.states) {
        const std::string head = s.className + " --> ";
        if (line.rfind(head, 0) != 0)
            continue;
        const std::string target = line.substr(head.size());
        for (const genchart::Branch& b : s.completion)
            if ((b.target < 0
                     ? std::string("final")
                     : model.states[static_cast<std::size_t>(b.target)].className) == target)
                return {b.transitionId, s.shapeId};
    }
    return {};
}

void SimSession::recordDisagreement(const sim::TraceCheck& check) {
    LogLine head{"trace line " + std::to_string(check.line) + ": " + check.message, {}, true};
    const auto mark = [&](const std::string& traceLine, const std::string& who) {
        if (traceLine.empty())
            return;
        for (long id : lineShapes(traceLine)) {
            disagreement.marks.push_back({id, SimMark::Disagrees, who + ": " + traceLine});
            head.shapes.push_back(id);
        }
    };
    mark(check.expected, "chart");
    mark(check.found, "trace");
    lines.push_back(std::move(head));
}

SimMarks SimSession::marks() const {
    SimMarks m;
    const std::vector<int> active = configuration();
    for (std::size_t i = 0; i < active.size(); ++i)
        if (stateShape(active[i]) != 0) // the chart itself, when its top level has an initial state
            m.marks.push_back({stateShape(active[i]),
                               i + 1 == active.size() ? SimMark::Innermost : SimMark::Active,
                               {}});
    for (const sim::Explanation& e : last)
        for (const sim::Candidate& c : e.candidates) {
            if (c.verdict == sim::Candidate::Fired)
                m.marks.push_back({c.branch->transitionId, SimMark::Fired,
                                   "fired: " + model.events[std::size_t(e.event)].name});
            else
                m.marks.push_back({c.branch->transitionId, SimMark::NotFired,
                                   "not fired: " + sim::verdictText(c)});
        }
    m.marks.insert(m.marks.end(), disagreement.marks.begin(), disagreement.marks.end());
    return m;
}
