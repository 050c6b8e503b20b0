// Seeded random charts (nesting, history, final states, guards, self-transitions, events
// raised from effects) and random scripts, run by the generated C++ machine with -g and by
// tvcsim: both must write the same trace, and tvcsim --check must accept the machine's.
// TAVREN_DIFF_CHARTS sets how many charts (200 by default; raise it for a longer campaign)
// and TAVREN_DIFF_SEED the first seed.

#include "tests/generators/generator_fixture.h"

#include <cstdlib>
#include <map>
#include <random>

namespace {

constexpr int kEvents = 4;
constexpr int kFlags = 3;

struct Region {
    State* owner = nullptr; // null for the top level
    std::vector<GenericState*> states;
    FinalState* final = nullptr;
};

// One chart and its script, both from one seed.
class RandomChart {
public:
    RandomChart(unsigned seed, const std::string& model) : rng(seed), prefix(model) {
        addRegion(nullptr, {10, 10, 1210, 810}, 0);
        addTransitions();
        chart.properties().name = model;
        chart.properties().ctxNameCPP = "DiffCtx";
        chart.properties().ctxFileCPP = "diff_ctx.h";
        writeScripts();
    }

    void save(const std::filesystem::path& path) { chart.save(path); }

    std::string runnerScript; // start, set FLAG 0|1 and event lines
    std::string simScript;    // the same with guard answers instead of flags

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    // Sub-states side by side below a strip for the initial and final states.
    void addRegion(State* owner, const CRect& r, int depth) {
        Region region{owner, {}, nullptr};
        const int count = depth == 0 ? 2 + pick(2) : 1 + pick(3);
        const int gap = 20;
        const int width = (r.Width() - gap * (count + 1)) / count;
        for (int i = 0; i < count; ++i) {
            const CRect box(r.left + gap + i * (width + gap), r.top + 40,
                            r.left + gap + i * (width + gap) + width, r.bottom - gap);
            auto* state = chart.state(box, prefix + "s" + std::to_string(++named));
            region.states.push_back(state);
            if (depth < 2 && chance(0.45)) {
                state->setHistory(chance(0.4));
                addRegion(state, box, depth + 1);
            }
        }
        if (depth == 0 || chance(0.85)) {
            auto* initial = chart.initial({r.left + 8, r.top + 8, r.left + 12, r.top + 12});
            chart.connect(initial, NODE(3, 1), region.states[pick(count)], NODE(1, 1));
        }
        if (chance(0.5))
            region.final = chart.finalState({r.left + 30, r.top + 8, r.left + 34, r.top + 12});
        regions.push_back(region);
    }

    void addTransitions() {
        std::vector<std::pair<GenericState*, Region*>> all;
        for (Region& region : regions)
            for (GenericState* s : region.states)
                all.emplace_back(s, &region);
        const int count = kEvents + pick(8);
        std::set<std::pair<State*, int>> unguarded;
        for (int n = 0; n < count; ++n) {
            const auto [source, region] = all[static_cast<std::size_t>(pick(int(all.size())))];
            const int event = n < kEvents ? n : pick(kEvents);
            std::string guard;
            if (chance(0.4) || !unguarded.insert({source, event}).second)
                guard = std::string(chance(0.3) ? "!" : "") + "ctx.flag(\"g" +
                        std::to_string(pick(kFlags)) + "\")";
            std::string effect = "ctx.log(\"t" + std::to_string(n) + "\");";
            // Only later events are raised, so every chain of raises ends.
            if (event + 1 < kEvents && chance(0.35)) {
                const std::string raised =
                    "e" + std::to_string(event + 1 + pick(kEvents - event - 1));
                effect += "\r\nctx.raise(\"" + raised + "\"); // @raise " + raised;
            }
            State* target = region->final && chance(0.15)
                                ? static_cast<State*>(region->final)
                                : all[static_cast<std::size_t>(pick(int(all.size())))].first;
            chart.label(chart.connect(source, NODE(3, 2), target, NODE(1, 2)),
                        "e" + std::to_string(event), guard, effect);
        }
    }

    void writeScripts() {
        runnerScript = simScript = "start\n";
        // Every flag is false until set, so a negated guard holds from the start.
        for (int f = 0; f < kFlags; ++f)
            simScript += "guard !ctx.flag(\"g" + std::to_string(f) + "\") = true\n";
        const int steps = 10 + pick(16);
        bool flags[kFlags] = {};
        for (int n = 0; n < steps; ++n) {
            if (chance(0.25)) {
                const int f = pick(kFlags);
                flags[f] = !flags[f];
                const std::string name = "g" + std::to_string(f);
                runnerScript += "set " + name + (flags[f] ? " 1\n" : " 0\n");
                const std::string guard = "ctx.flag(\"" + name + "\")";
                simScript += "guard " + guard + (flags[f] ? " = true\n" : " = false\n");
                simScript += "guard !" + guard + (flags[f] ? " = false\n" : " = true\n");
                continue;
            }
            const std::string event = "e" + std::to_string(pick(kEvents)) + "\n";
            runnerScript += event;
            simScript += event;
        }
    }

    std::mt19937 rng;
    std::string prefix;
    int named = 0;
    TestChart chart;
    std::vector<Region> regions;
};

const char* const kContext = R"(#pragma once
#include <functional>
#include <map>
#include <string>
// The trace tells what ran; the context only keeps flags and sends raised events back.
struct DiffCtx {
    void log(const char*) {}
    bool flag(const std::string& name) { return flags[name]; }
    void raise(const std::string& event) { raiser(event); }
    std::map<std::string, bool> flags;
    std::function<void(const std::string&)> raiser;
};
)";

// One program for every chart: its first argument picks the machine.
std::string runnerSource(int charts) {
    std::string source = "#include \"diff_ctx.h\"\n#include <cstdlib>\n#include <fstream>\n";
    for (int i = 0; i < charts; ++i)
        source += "#include \"d" + std::to_string(i) + "TN.h\"\n";
    source += R"(
template <class Machine> int run(const char* path) {
    DiffCtx ctx;
    Machine m(ctx);
    const auto send = [&](const std::string& e) {
        if (e == "e0") m.e0(); else if (e == "e1") m.e1();
        else if (e == "e2") m.e2(); else if (e == "e3") m.e3();
        else std::exit(3);
    };
    ctx.raiser = send;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line == "start") m.start();
        else if (line.rfind("set ", 0) == 0) ctx.flags[line.substr(4, line.size() - 6)] = line.back() == '1';
        else send(line);
    }
    return 0;
}
int main(int, char** argv) {
    switch (std::atoi(argv[1])) {
)";
    for (int i = 0; i < charts; ++i)
        source += "    case " + std::to_string(i) + ": return run<D" + std::to_string(i) +
                  "TN>(argv[2]);\n";
    return source + "    }\n    return 2;\n}\n";
}

int envOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

using DifferentialTest = GeneratorTest;

} // namespace

TEST_F(DifferentialTest, TheSimulatorAndTheGeneratedMachineTraceAlike) {
    const int charts = envOr("TAVREN_DIFF_CHARTS", 200);
    const unsigned seed = static_cast<unsigned>(envOr("TAVREN_DIFF_SEED", 1));
    std::ofstream(dir / "diff_ctx.h") << kContext;
    std::vector<std::string> compile = {
        "g++", "-std=c++17", "-O0", "-I", dir.string(), "-o", (dir / "runner").string()};
    std::vector<std::pair<std::string, std::string>> scripts; // the runner's, tvcsim's
    for (int i = 0; i < charts; ++i) {
        RandomChart chart(seed + static_cast<unsigned>(i), "D" + std::to_string(i));
        const auto model = dir / ("d" + std::to_string(i) + ".tvc");
        chart.save(model);
        scripts.emplace_back(chart.runnerScript, chart.simScript);
        const ProgramResult gen = runProgram({TAVREN_TVC2CPP, "-d", "-g", model.string()});
        ASSERT_EQ(gen.status, 0) << "seed " << seed + i << "\n" << gen.out;
        compile.push_back((dir / ("d" + std::to_string(i) + "TN.cpp")).string());
    }
    std::ofstream(dir / "runner.cpp") << runnerSource(charts);
    compile.push_back((dir / "runner.cpp").string());
    const ProgramResult built = runProgram(compile);
    ASSERT_EQ(built.status, 0) << built.err.substr(0, 4000);

    // What the traces showed: the random charts must reach these, or they test too little.
    std::map<std::string, int> seen;
    for (int i = 0; i < charts; ++i) {
        const std::string n = std::to_string(i);
        SCOPED_TRACE("seed " + std::to_string(seed + static_cast<unsigned>(i)) + ", chart d" + n +
                     ".tvc");
        std::ofstream(dir / "run.txt") << scripts[static_cast<std::size_t>(i)].first;
        std::ofstream(dir / "sim.txt") << scripts[static_cast<std::size_t>(i)].second;
        const ProgramResult machine =
            runProgram({(dir / "runner").string(), n, (dir / "run.txt").string()});
        ASSERT_EQ(machine.status, 0);
        const auto model = (dir / ("d" + n + ".tvc")).string();
        const ProgramResult simulated =
            runProgram({TAVREN_TVCSIM, model, (dir / "sim.txt").string()});
        ASSERT_EQ(simulated.status, 0) << simulated.err;
        const auto trace = splitLines(machine.err);
        ASSERT_EQ(splitLines(simulated.out), trace);
        for (const std::string& line : trace)
            for (const char* feature : {"-> final", "finished", "ignored"})
                seen[feature] += line.find(feature) != std::string::npos;
        seen["self-transition"] += std::any_of(trace.begin(), trace.end(), [](const auto& l) {
            const auto arrow = l.find("-> ");
            return arrow != std::string::npos && l.rfind(l.substr(arrow + 3) + " -", 0) == 0;
        });
        std::ofstream(dir / "trace.txt") << machine.err;
        const ProgramResult check =
            runProgram({TAVREN_TVCSIM, "--check", (dir / "trace.txt").string(), model});
        ASSERT_EQ(check.status, 0) << check.err;
    }
    if (charts >= 100) {
        for (const char* feature : {"-> final", "finished", "ignored", "self-transition"})
            EXPECT_GT(seen[feature], 0) << feature;
    }
}
