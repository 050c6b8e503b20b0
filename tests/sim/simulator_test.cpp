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
#include <regex>
#include <sstream>
#include <string>
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
            const std::string& guard = q.branch.guard;
            if (!std::regex_match(guard, m, std::regex(R"re(ctx\.flag\("(\w+)"\))re")))
                throw "a guard the runner cannot answer: " + guard;
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
            if (std::regex_match(line, m, when)) {
                blocks.push_back(flags[m[1]]);
                continue;
            }
            if (line.find('}') != std::string::npos && !blocks.empty()) {
                blocks.pop_back();
                continue;
            }
            if (std::find(blocks.begin(), blocks.end(), false) != blocks.end() ||
                !std::regex_search(line, m, call))
                continue;
            if (m[1] == "log") {
                out.push_back(m[2]);
                continue;
            }
            const sim::Result result = simulator.post(simulator.eventIndex(m[2]));
            if (report)
                out.push_back(m[2].str() + " -> " + sim::resultName(result));
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

    sim::ChartSimulator simulator;

private:
    std::string stateLine() const {
        const auto& states = simulator.chart().states;
        const int active = simulator.activeState();
        std::vector<std::string> in;
        for (std::size_t s = 0; s < states.size(); ++s)
            if (simulator.isIn(static_cast<int>(s)))
                in.push_back(states[s].className);
        std::sort(in.begin(), in.end());
        std::string line =
            "state " +
            (active == sim::cNone ? std::string("none")
                                  : states[static_cast<std::size_t>(active)].className) +
            ":";
        for (const std::string& name : in)
            line += " " + name;
        return line;
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
    struct Case {
        std::string chart;
        std::vector<std::string> script; // the last line is the event explained
        std::vector<std::string> candidates;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart + " " + c.script.back());
        ConformanceRun run(c.chart);
        const std::vector<std::string> before(c.script.begin(), c.script.end() - 1);
        run.run(before);
        const int event = run.simulator.eventIndex(c.script.back());
        if (event < 0) {
            EXPECT_TRUE(c.candidates.empty());
            continue;
        }
        const sim::Explanation e = run.simulator.send(event).front();
        std::vector<std::string> verdicts;
        for (const sim::Candidate& candidate : e.candidates)
            verdicts.push_back(
                run.simulator.chart().states[static_cast<std::size_t>(candidate.state)].className +
                ": " + sim::verdictText(candidate));
        EXPECT_EQ(verdicts, c.candidates);
    }
}

// A trace the chart wrote agrees with it; changed by one line, the first difference is named.
TEST(SimulatorTraceCheckTest, TheFirstLineWhereATraceDepartsIsReported) {
    ConformanceRun run("depths");
    std::vector<std::string> trace;
    for (const auto& e : run.simulator.start())
        trace.insert(trace.end(), e.trace.begin(), e.trace.end());
    for (const char* event : {"cross", "up", "side", "dive", "pop", "home", "lift", "nothing"})
        if (const int index = run.simulator.eventIndex(event); index >= 0)
            for (const auto& e : run.simulator.send(index))
                trace.insert(trace.end(), e.trace.begin(), e.trace.end());
    const auto& chart = run.simulator.chart();
    EXPECT_TRUE(sim::checkTrace(chart, trace).agrees) << sim::checkTrace(chart, trace).message;

    struct Damage {
        const char* what;
        void (*apply)(std::vector<std::string>&);
        int line;
    };
    const std::vector<Damage> damages = {
        {"a missing exit", [](auto& t) { t.erase(t.begin() + 4); }, 5},
        {"swapped exits", [](auto& t) { std::swap(t[3], t[4]); }, 4},
        {"an unknown line", [](auto& t) { t.insert(t.begin() + 3, "hello"); }, 4},
        {"cut short", [](auto& t) { t.resize(5); }, 6},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        auto damaged = trace;
        d.apply(damaged);
        const sim::TraceCheck check = sim::checkTrace(chart, damaged);
        EXPECT_FALSE(check.agrees);
        EXPECT_EQ(check.line, d.line) << check.message;
    }
}

// A completion guard's answer is read from the trace: its firing line follows, or not.
TEST(SimulatorTraceCheckTest, CompletionGuardsAreAnsweredAsTheTraceShows) {
    ConformanceRun run("eventless_simple");
    std::vector<std::string> trace;
    const auto add = [&](const std::vector<sim::Explanation>& explanations) {
        for (const auto& e : explanations)
            trace.insert(trace.end(), e.trace.begin(), e.trace.end());
    };
    const int go = run.simulator.eventIndex("go");
    add(run.simulator.start());
    add(run.simulator.send(go)); // C's guard false: C --> E
    run.simulator.answerGuard("ctx.flag(\"x\")", true);
    add(run.simulator.send(go));
    add(run.simulator.send(go)); // C --> D, whose guard is false
    run.simulator.answerGuard("ctx.flag(\"y\")", true);
    add(run.simulator.send(go)); // D --> B
    const auto& chart = run.simulator.chart();
    const sim::TraceCheck check = sim::checkTrace(chart, trace);
    EXPECT_TRUE(check.agrees) << check.message;
    auto damaged = trace;
    damaged.erase(
        std::find(damaged.begin(), damaged.end(), "D_EventlessSimple --> B_EventlessSimple"));
    EXPECT_FALSE(sim::checkTrace(chart, damaged).agrees);
}
