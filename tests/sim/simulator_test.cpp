// The chart simulator against the conformance suite and its own explanations: every case's
// script, run with a context that does what the runners' contexts do, must print the
// hand-written trace; the reasons it gives for each candidate must be the semantics'.

#include "generators/sim/chart_loader.h"
#include "generators/sim/chart_simulator.h"
#include "generators/sim/explanation_text.h"
#include "generators/sim/trace_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::filesystem::path kCases = TAVREN_CONFORMANCE;

std::vector<std::string> lines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        if (std::filesystem::exists(entry.path() / "chart.tvc"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The conformance context, played by the simulator's hooks: ctx.log prints, ctx.raise posts
// the event at that point of the action, ctx.flag answers guards from the script's flags.
class ConformanceRun {
public:
    explicit ConformanceRun(const std::string& name)
        : simulator(loadChart((kCases / name / "chart.tvc").string())) {
        simulator.setGuardOracle([this](const sim::GuardQuestion& q) {
            std::smatch m;
            if (!std::regex_match(q.branch.guard, m, std::regex(R"re(ctx\.flag\("(\w+)"\))re")))
                throw "a guard the runner cannot answer: " + q.branch.guard;
            return flags[m[1]];
        });
        simulator.setActionHook([this](const sim::Step& step) {
            act(step.code);
            return std::vector<std::string>();
        });
    }

    // The calls of an action, line by line; an if (ctx.flag(...)) { ... } block runs only
    // when its flag is set.
    void act(const std::string& code) {
        static const std::regex call(R"re(ctx\.(log|raise)\("([^"]*)"\);)re");
        static const std::regex when(R"re(\s*if \(ctx\.flag\("(\w+)"\)\) \{\s*)re");
        std::vector<bool> blocks;
        std::istringstream in(code);
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (std::regex_match(line, m, when))
                blocks.push_back(flags[m[1]]);
            else if (line.find('}') != std::string::npos && !blocks.empty())
                blocks.pop_back();
            else if (std::find(blocks.begin(), blocks.end(), false) != blocks.end() ||
                     !std::regex_search(line, m, call))
                continue;
            else if (m[1] == "log")
                out.push_back(m[2]);
            else if (const sim::Result r = simulator.post(simulator.eventIndex(m[2])); report)
                out.push_back(m[2].str() + " -> " + sim::resultName(r));
        }
    }

    std::vector<std::string> run(const std::vector<std::string>& script) {
        for (const std::string& line : script) {
            if (line == "start") {
                simulator.start();
            } else if (line.rfind("set ", 0) == 0) {
                flags[line.substr(4, line.size() - 6)] = line.back() == '1';
            } else if (line == "report on" || line == "report off") {
                report = line == "report on";
            } else if (line == "state") {
                out.push_back(stateLine());
            } else {
                const std::string name = line.rfind("dispatch ", 0) == 0 ? line.substr(9) : line;
                const int event = simulator.eventIndex(name);
                if (event < 0)
                    throw "unknown event: " + name;
                const auto explanations = simulator.send(event);
                if (report)
                    out.push_back(name + " -> " + sim::resultName(explanations.front().result));
            }
        }
        if (simulator.finished())
            out.push_back("finished");
        return out;
    }

    std::string name(int state) const {
        return simulator.chart().states[static_cast<std::size_t>(state)].className;
    }

    sim::ChartSimulator simulator;

private:
    std::string stateLine() const {
        const auto& states = simulator.chart().states;
        const int active = simulator.activeState();
        std::set<std::string> in; // sorted
        for (std::size_t s = 0; s < states.size(); ++s)
            if (simulator.isIn(static_cast<int>(s)))
                in.insert(" " + states[s].className);
        return std::accumulate(in.begin(), in.end(),
                               "state " + (active == sim::cNone ? "none" : name(active)) + ":");
    }

    std::map<std::string, bool> flags;
    bool report = false;
    std::vector<std::string> out;
};

using ConformanceSimulatorTest = ::testing::TestWithParam<std::string>;

} // namespace

TEST_P(ConformanceSimulatorTest, TheSimulatorPrintsTheExpectedTrace) {
    const auto script = lines(kCases / GetParam() / "events.txt");
    if (std::any_of(script.begin(), script.end(),
                    [](const std::string& l) { return l.rfind("fail ", 0) == 0; }))
        GTEST_SKIP() << "the simulator runs no user code, so no action of it can throw";
    // Printing an argument is user code too; tvcsim runs this case against the C++ trace.
    if (std::filesystem::exists(kCases / GetParam() / "sim_guards.txt"))
        GTEST_SKIP() << "the case's actions print arguments, which only compiled code can";
    ConformanceRun run(GetParam());
    EXPECT_EQ(run.run(script), lines(kCases / GetParam() / "expected.txt"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceSimulatorTest, ::testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

// Each candidate of the last event, as "state: verdict", after the script's lines.
TEST(SimulatorExplanationTest, EveryCandidateSaysWhyItFiredOrNot) {
    const std::tuple<std::string, std::vector<std::string>, std::vector<std::string>> cases[] = {
        // chart, script (the last line is the event explained), candidates
        {"guards",
         {"start", "set x 1", "go"},
         {"Idle_Box: guard false", "Idle_Box: guard false", "Idle_Box: guard true, fired",
          "Idle_Box: not tried: an earlier transition of the state fired"}},
        {"guards", {"start", "fall"}, {"Idle_Box: guard false", "Box_Guards: fired"}},
        {"nesting",
         {"start", "tick"},
         {"Inner_Middle: fired", "Middle_Outer: not tried: an inner state fired"}},
        {"unhandled", {"start", "nothing"}, {}},
    };
    for (const auto& [chart, script, candidates] : cases) {
        SCOPED_TRACE(chart + " " + script.back());
        ConformanceRun run(chart);
        run.run({script.begin(), script.end() - 1});
        const int event = run.simulator.eventIndex(script.back());
        std::vector<std::string> verdicts;
        for (const sim::Candidate& c :
             event < 0 ? std::vector<sim::Candidate>{} : run.simulator.send(event)[0].candidates)
            verdicts.push_back(run.name(c.state) + ": " + sim::verdictText(c));
        EXPECT_EQ(verdicts, candidates);
    }
}

// A trace the chart wrote agrees with it; changed by one line, the first difference is named.
// A completion guard's answer is read from the trace: its firing line follows, or not.
TEST(SimulatorTraceCheckTest, ADepartingTraceIsReportedAtItsFirstLineGuardsAsAnswered) {
    ConformanceRun run("depths");
    std::vector<std::string> trace;
    const auto add = [&](const std::vector<sim::Explanation>& explanations) {
        for (const auto& e : explanations)
            trace.insert(trace.end(), e.trace.begin(), e.trace.end());
    };
    add(run.simulator.start());
    for (const char* event : {"cross", "up", "side", "dive", "pop", "home", "lift", "nothing"})
        if (const int index = run.simulator.eventIndex(event); index >= 0)
            add(run.simulator.send(index));
    const auto& chart = run.simulator.chart();
    EXPECT_TRUE(sim::checkTrace(chart, trace).agrees) << sim::checkTrace(chart, trace).message;
    const std::pair<void (*)(std::vector<std::string>&), int> damages[] = {
        {[](auto& t) { t.erase(t.begin() + 4); }, 5}, // a missing exit
        {[](auto& t) { std::swap(t[3], t[4]); }, 4},
        {[](auto& t) { t.insert(t.begin() + 3, "hello"); }, 4},
        {[](auto& t) { t.resize(5); }, 6}, // cut short
    };
    for (const auto& [damage, line] : damages) {
        auto damaged = trace;
        damage(damaged);
        const sim::TraceCheck check = sim::checkTrace(chart, damaged);
        EXPECT_FALSE(check.agrees);
        EXPECT_EQ(check.line, line) << check.message;
    }

    ConformanceRun guarded("eventless_simple");
    trace.clear();
    const int go = guarded.simulator.eventIndex("go");
    add(guarded.simulator.start());
    add(guarded.simulator.send(go)); // C's guard false: C --> E
    guarded.simulator.answerGuard("ctx.flag(\"x\")", true);
    add(guarded.simulator.send(go));
    add(guarded.simulator.send(go)); // C --> D, whose guard is false
    guarded.simulator.answerGuard("ctx.flag(\"y\")", true);
    add(guarded.simulator.send(go)); // D --> B
    const auto& guardedChart = guarded.simulator.chart();
    EXPECT_TRUE(sim::checkTrace(guardedChart, trace).agrees);
    trace.erase(std::find(trace.begin(), trace.end(), "D_EventlessSimple --> B_EventlessSimple"));
    EXPECT_FALSE(sim::checkTrace(guardedChart, trace).agrees);
}
