// The conformance cases run through tvc2cpp: each chart is generated plainly and with -g,
// compiled strictly with the shared runner and driven by its script three ways: plain (the
// actions' lines only), -g (the same lines, the trace on standard error) and plain with the
// runner's own observer, whose lines must equal the -g trace.

#include "tests/generators/conformance_runner.h"

#include <regex>

namespace {

const std::filesystem::path kCases = conformanceFolder();
const std::filesystem::path kRunner = kCases / "cpp";

// The machine's class and its events, read from the generated header's Event enumeration;
// the runner asks the machine for their chart names.
struct MachineApi {
    std::string className;
    std::vector<std::pair<std::string, std::string>> events; // enumerator, member: the same
    std::map<std::string, int> arities;                      // member to its parameter count
};

MachineApi readApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (std::regex_search(header, m, std::regex(R"(\nclass (\w+) \{)")))
        api.className = m[1];
    if (std::regex_search(header, m, std::regex(R"(enum class Event : [a-z ]+ \{\n([^}]*)\};)"))) {
        const std::string list = m[1];
        const std::regex value(R"((\w+),)");
        for (auto it = std::sregex_iterator(list.begin(), list.end(), value);
             it != std::sregex_iterator(); ++it)
            if (const std::string id = (*it)[1]; id.back() != '_') // None_: no event to send
                api.events.emplace_back(id, id);
    }
    const std::regex function(R"(\n    Result (\w+)\(([^)]*)\);)");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), function);
         it != std::sregex_iterator(); ++it) {
        const std::string list = (*it)[2];
        api.arities[(*it)[1]] =
            list.empty() ? 0 : 1 + static_cast<int>(std::count(list.begin(), list.end(), ','));
    }
    return api;
}

// Generates the case's machine in dir and links it with the runner; the program's path, or
// an empty one after a failure has been recorded.
std::string buildRunner(const std::string& name, const std::filesystem::path& dir, bool withTrace) {
    std::filesystem::create_directories(dir);
    const auto model = dir / "chart.tvc";
    std::filesystem::copy_file(kCases / name / "chart.tvc", model);
    std::vector<std::string> args = {TAVREN_TVC2CPP, "-d", model.string()};
    if (withTrace)
        args.insert(args.begin() + 1, "-g");
    const ProgramResult gen = runProgram(args);
    EXPECT_EQ(gen.status, 0) << gen.out;
    if (gen.status != 0)
        return {};

    const MachineApi api = readApi(slurp(dir / "chartTN.h"));
    EXPECT_FALSE(api.className.empty());
    EXPECT_FALSE(api.events.empty());
    writeEventTable(dir, api.events, api.arities);

    const std::string exe = (dir / "runner").string();
    const ProgramResult cc = runProgram(
        {"g++", "-std=c++17", "-Wall", "-Wextra", "-Wpedantic", "-Wshadow", "-Werror", "-O0", "-I",
         kRunner.string(), "-I", dir.string(), "-DCHART_HEADER=\"chartTN.h\"",
         "-DCHART_CLASS=" + api.className, (kRunner / "runner_main.cpp").string(),
         (dir / "chartTN.cpp").string(), "-o", exe});
    EXPECT_EQ(cc.status, 0) << cc.err;
    return cc.status == 0 ? exe : std::string();
}

// One run of the case's script; stdout must be the hand-written trace.
ProgramResult runCase(const std::string& exe, const std::string& name, bool observe) {
    std::vector<std::string> args = {exe};
    if (observe)
        args.push_back("--observe");
    args.push_back((kCases / name / "events.txt").string());
    const ProgramResult run = runProgram(args);
    EXPECT_EQ(run.status, 0) << run.err;
    expectSameLines(splitLines(run.out), splitLines(slurp(kCases / name / "expected.txt")));
    return run;
}

using ConformanceCppTest = ::testing::TestWithParam<std::string>;

} // namespace

TEST_P(ConformanceCppTest, EveryWayOfRunningPrintsTheExpectedTrace) {
    const ScratchDir dir("cpp_" + GetParam());
    const std::string plain = buildRunner(GetParam(), dir.path / "plain", false);
    const std::string traced = buildRunner(GetParam(), dir.path / "traced", true);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(traced.empty());
    {
        SCOPED_TRACE("plain");
        EXPECT_EQ(runCase(plain, GetParam(), false).err, "");
    }
    std::string trace;
    {
        SCOPED_TRACE("-g");
        trace = runCase(traced, GetParam(), false).err;
        EXPECT_FALSE(trace.empty());
    }
    {
        // The trace is the observer's lines, formatted: an observer of the user's sees them all.
        SCOPED_TRACE("--observe");
        const std::string observed = runCase(plain, GetParam(), true).err;
        expectSameLines(splitLines(observed), splitLines(trace));
        expectHandWrittenTrace(GetParam(), observed);
    }
    // The simulator runs the chart itself and must trace it alike; it runs no user code, so
    // flags become guard answers and nothing throws.
    const auto script = splitLines(slurp(kCases / GetParam() / "events.txt"));
    if (std::none_of(script.begin(), script.end(),
                     [](const std::string& l) { return l.rfind("fail ", 0) == 0; })) {
        SCOPED_TRACE("tvcsim");
        // A case whose guards read an event's arguments brings its own answers, in turn.
        std::ofstream sim(dir.path / "sim.txt");
        if (std::filesystem::exists(kCases / GetParam() / "sim_guards.txt"))
            sim << slurp(kCases / GetParam() / "sim_guards.txt");
        for (const std::string& line : script)
            if (line.rfind("set ", 0) == 0)
                sim << "guard ctx.flag(\"" << line.substr(4, line.size() - 6)
                    << (line.back() == '1' ? "\") = true\n" : "\") = false\n");
            else if (line.rfind("dispatch ", 0) == 0)
                sim << line.substr(9) << "\n";
            else if (line != "state" && line.rfind("report ", 0) != 0)
                sim << line << "\n";
        sim.close();
        const ProgramResult simulated =
            runProgram({TAVREN_TVCSIM, (kCases / GetParam() / "chart.tvc").string(),
                        (dir.path / "sim.txt").string()});
        EXPECT_EQ(simulated.status, 0) << simulated.err;
        expectSameLines(splitLines(simulated.out), splitLines(trace));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceCppTest, ::testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

// A script naming an event the machine lacks must fail the run rather than pass quietly
// with a shorter trace.
TEST(ConformanceCppRunnerTest, AnUnknownEventFailsTheRun) {
    const ScratchDir dir("cpp_unknown_event");
    const std::string exe = buildRunner("nesting", dir.path, false);
    ASSERT_FALSE(exe.empty());
    std::ofstream(dir.path / "events.txt") << "start\nno_such_event\n";
    const ProgramResult run = runProgram({exe, (dir.path / "events.txt").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}
