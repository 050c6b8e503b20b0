// The conformance cases run through tvc2c: each chart is generated, compiled as strict C99
// with the C runner and driven by its script; what the actions print must match the same
// hand-written trace as the C++ machines, with and without the trace hook.

#include "tests/generators/conformance_runner.h"

#include <algorithm>
#include <regex>

namespace {

const std::filesystem::path kCases = conformanceFolder();
const std::filesystem::path kRunner = kCases / "c";

// The machine's struct and its event functions, read from the generated header: they follow
// the isFinished() declaration, a renamed one behind a comment with its chart name.
struct MachineApi {
    std::string structName;
    std::vector<std::pair<std::string, std::string>> events; // chart name, function
};

MachineApi readApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (!std::regex_search(header, m, std::regex(R"(\ntypedef struct (\w+) \{)")))
        return api;
    api.structName = m[1];
    const std::string root = api.structName;
    const auto lines = splitLines(header);
    auto it = std::find(lines.begin(), lines.end(),
                        "int " + root + "_isFinished(const " + root + "* me);");
    if (it == lines.end())
        return api;
    const std::regex function("void (" + root + R"(_(\w+))\()" + root + R"(\* me\);)");
    const std::regex comment(R"(/\* (.*) \*/)");
    std::string chartName;
    for (++it; it != lines.end(); ++it) {
        if (std::regex_match(*it, m, comment)) {
            chartName = m[1];
        } else if (std::regex_match(*it, m, function)) {
            api.events.emplace_back(chartName.empty() ? m[2].str() : chartName, m[1]);
            chartName.clear();
        } else {
            break;
        }
    }
    return api;
}

const std::vector<std::string> kStrictC = {"gcc",        "-std=c99", "-Wall", "-Wextra",
                                           "-Wpedantic", "-Werror",  "-O0"};

// Generates the case's machine in dir and links it with the runner; the program's path, or
// an empty one after a failure has been recorded.
std::string buildRunner(const std::string& name, const std::filesystem::path& dir, bool withTrace) {
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
    writeEventTable(dir, api.events);

    const std::string exe = (dir / "runner").string();
    std::vector<std::string> cc = kStrictC;
    cc.insert(cc.end(), {"-I", kRunner.string(), "-I", dir.string(), "-DCHART_HEADER=\"chartTN.h\"",
                         "-DCHART_MACHINE=" + api.structName, (kRunner / "runner_main.c").string(),
                         (dir / "chartTN.c").string(), "-o", exe});
    const ProgramResult built = runProgram(cc);
    EXPECT_EQ(built.status, 0) << built.err;
    return built.status == 0 ? exe : std::string();
}

void expectTrace(const std::string& name, bool withTrace) {
    const ScratchDir dir("c_" + name + (withTrace ? "_g" : ""));
    const std::string exe = buildRunner(name, dir.path, withTrace);
    ASSERT_FALSE(exe.empty());
    const ProgramResult run = runProgram({exe, (kCases / name / "events.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const auto actual = splitLines(run.out);
    const auto expected = splitLines(slurp(kCases / name / "expected.txt"));
    expectSameLines(actual, expected);
    // The hook reports to standard error until set, never into the trace.
    if (withTrace) {
        EXPECT_NE(run.err, "");
    }
}

using ConformanceCTest = ::testing::TestWithParam<std::string>;

} // namespace

TEST_P(ConformanceCTest, TheMachinePrintsTheExpectedTrace) {
    expectTrace(GetParam(), false);
}

// The trace hook must not change what the machine does.
TEST_P(ConformanceCTest, TracingChangesNothingButStandardError) {
    expectTrace(GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceCTest, ::testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

TEST(ConformanceCRunnerTest, AnUnknownEventFailsTheRun) {
    const ScratchDir dir("c_unknown_event");
    const std::string exe = buildRunner("nesting", dir.path, false);
    ASSERT_FALSE(exe.empty());
    std::ofstream(dir.path / "events.txt") << "start\nno_such_event\n";
    const ProgramResult run = runProgram({exe, (dir.path / "events.txt").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}
