// The conformance cases run through tvc2c: each chart is generated, compiled as strict C99
// with the C runner and driven by its script three ways: plain, built with -g, and plain with
// the runner's own observer. Standard output must match the hand-written trace each time, and
// the observer must see exactly what the -g trace writes.

#include "tests/generators/conformance_runner.h"

#include <algorithm>
#include <map>
#include <regex>

namespace {

const std::filesystem::path kCases = conformanceFolder();
const std::filesystem::path kRunner = kCases / "c";

// The machine's struct and its event functions, read from the generated header: they follow
// the dispatch declarations, a renamed one behind a comment with its chart name; the cases'
// parameters are all int.
struct MachineApi {
    std::string structName;
    std::vector<std::pair<std::string, std::string>> events; // chart name, function's id
    std::map<std::string, int> arities;                      // id to its parameter count
};

MachineApi readApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (!std::regex_search(header, m, std::regex(R"(\ntypedef struct (\w+) \{\n +\w+\* ctx_;)")))
        return api;
    api.structName = m[1];
    const std::string root = api.structName;
    const std::regex function(root + "_Result " + root + R"(_(\w+)\()" + root +
                              R"(\* me((?:, int \w+)*)\);)");
    const std::regex comment(R"(/\* (.*) \*/)");
    std::string chartName;
    bool inEvents = false;
    for (const std::string& line : splitLines(header)) {
        if (std::regex_match(line, m, comment)) {
            chartName = m[1];
        } else if (std::regex_match(line, m, function)) {
            inEvents = true;
            api.events.emplace_back(chartName.empty() ? m[1].str() : chartName, m[1]);
            const std::string parameters = m[2];
            api.arities[m[1]] =
                static_cast<int>(std::count(parameters.begin(), parameters.end(), ','));
            chartName.clear();
        } else if (inEvents) {
            break;
        } else {
            chartName.clear();
        }
    }
    return api;
}

const std::vector<std::string> kStrictC = {"gcc",        "-std=c99", "-Wall", "-Wextra",
                                           "-Wpedantic", "-Werror",  "-O0"};

// Generates the case's machine in dir and links it with the runner; the program's path, or
// an empty one after a failure has been recorded.
std::string buildRunner(const std::string& name, const std::filesystem::path& dir, bool withTrace) {
    std::filesystem::create_directories(dir);
    const auto model = dir / "chart.tvc";
    std::filesystem::copy_file(kCases / name / "chart.tvc", model);
    std::vector<std::string> args = {TAVREN_TVC2C};
    if (withTrace)
        args.push_back("-g");
    args.insert(args.end(), {"-d", model.string()});
    const ProgramResult gen = runProgram(args);
    EXPECT_EQ(gen.status, 0) << gen.out;
    if (gen.status != 0)
        return {};

    const MachineApi api = readApi(slurp(dir / "chartTN.h"));
    EXPECT_FALSE(api.structName.empty());
    EXPECT_FALSE(api.events.empty());
    writeEventTable(dir, api.events, api.arities);

    const std::string exe = (dir / "runner").string();
    std::vector<std::string> cc = kStrictC;
    cc.insert(cc.end(), {"-I", kRunner.string(), "-I", dir.string(), "-DCHART_HEADER=\"chartTN.h\"",
                         "-DCHART_MACHINE=" + api.structName, (kRunner / "runner_main.c").string(),
                         (dir / "chartTN.c").string(), "-o", exe});
    const ProgramResult built = runProgram(cc);
    EXPECT_EQ(built.status, 0) << built.err;
    return built.status == 0 ? exe : std::string();
}

// C has no exceptions, so a script that arms a failure cannot run.
bool armsFailure(const std::string& name) {
    for (const std::string& line : splitLines(slurp(kCases / name / "events.txt")))
        if (line == "fail" || line.starts_with("fail "))
            return true;
    return false;
}

using ConformanceCTest = ::testing::TestWithParam<std::string>;

} // namespace

TEST_P(ConformanceCTest, PlainTracedAndObservedRunsPrintTheExpectedTrace) {
    const std::string name = GetParam();
    if (armsFailure(name))
        GTEST_SKIP() << "C has no exceptions: case " << name << " has a fail line";
    const ScratchDir dir("c_" + name);
    const std::string plain = buildRunner(name, dir.path / "plain", false);
    const std::string traced = buildRunner(name, dir.path / "traced", true);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(traced.empty());
    const std::string events = (kCases / name / "events.txt").string();
    const auto expected = splitLines(slurp(kCases / name / "expected.txt"));

    const ProgramResult plainRun = runProgram({plain, events});
    const ProgramResult tracedRun = runProgram({traced, events});
    const ProgramResult observedRun = runProgram({plain, "--observe", events});
    for (const ProgramResult* run : {&plainRun, &tracedRun, &observedRun}) {
        ASSERT_EQ(run->status, 0) << run->err;
        expectSameLines(splitLines(run->out), expected);
    }
    EXPECT_EQ(plainRun.err, "");
    EXPECT_NE(tracedRun.err, "");
    expectSameLines(splitLines(observedRun.err), splitLines(tracedRun.err));
    expectHandWrittenTrace(name, observedRun.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceCTest, ::testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

// A broken script must fail loudly, not pass as a run that did nothing.
TEST(ConformanceCRunnerTest, UnknownEventsAndFailLinesFailTheRun) {
    const ScratchDir dir("c_bad_scripts");
    const std::string exe = buildRunner("nesting", dir.path, false);
    ASSERT_FALSE(exe.empty());
    const std::pair<const char*, const char*> scripts[] = {
        {"start\nno_such_event\n", "unknown event: no_such_event"},
        {"start\ndispatch no_such_event\n", "unknown event: no_such_event"},
        {"start\nfail exit Inner\n", "C has no exceptions"}};
    for (const auto& [script, complaint] : scripts) {
        std::ofstream(dir.path / "events.txt") << script;
        const ProgramResult run = runProgram({exe, (dir.path / "events.txt").string()});
        EXPECT_EQ(run.status, 2) << script;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
    }
}
