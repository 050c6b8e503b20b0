// The conformance cases run through tvc2cpp: each chart is generated, compiled strictly with
// the shared runner and driven by its script; what the actions print must match the
// hand-written trace line for line.

#include "tests/generators/conformance_runner.h"

#include <algorithm>
#include <regex>

namespace {

const std::filesystem::path kCases = conformanceFolder();
const std::filesystem::path kRunner = kCases / "cpp";

// The machine's class and its events, read from the generated header: the event members
// follow isFinished(), a renamed one behind a comment with its chart name.
struct MachineApi {
    std::string className;
    std::vector<std::pair<std::string, std::string>> events; // chart name, member
};

MachineApi readApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (std::regex_search(header, m, std::regex(R"(\nclass (\w+) \{)")))
        api.className = m[1];
    const auto lines = splitLines(header);
    auto it = std::find(lines.begin(), lines.end(), "    bool isFinished() const;");
    if (it == lines.end())
        return api;
    if (++it != lines.end() && it->empty())
        ++it;
    const std::regex member(R"(    void (\w+)\(\);)");
    std::string chartName;
    for (; it != lines.end(); ++it) {
        if (it->rfind("    // ", 0) == 0) {
            chartName = it->substr(7);
        } else if (std::regex_match(*it, m, member)) {
            api.events.emplace_back(chartName.empty() ? m[1].str() : chartName, m[1]);
            chartName.clear();
        } else {
            break;
        }
    }
    return api;
}

// Generates the case's machine in dir and links it with the runner; the program's path, or
// an empty one after a failure has been recorded.
std::string buildRunner(const std::string& name, const std::filesystem::path& dir) {
    const auto model = dir / "chart.tvc";
    std::filesystem::copy_file(kCases / name / "chart.tvc", model);
    const ProgramResult gen = runProgram({TAVREN_TVC2CPP, "-d", model.string()});
    EXPECT_EQ(gen.status, 0) << gen.out;
    if (gen.status != 0)
        return {};

    const MachineApi api = readApi(slurp(dir / "chartTN.h"));
    EXPECT_FALSE(api.className.empty());
    EXPECT_FALSE(api.events.empty());
    writeEventTable(dir, api.events);

    const std::string exe = (dir / "runner").string();
    const ProgramResult cc =
        runProgram({"g++", "-std=c++17", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-O0", "-I",
                    kRunner.string(), "-I", dir.string(), "-DCHART_HEADER=\"chartTN.h\"",
                    "-DCHART_CLASS=" + api.className, (kRunner / "runner_main.cpp").string(),
                    (dir / "chartTN.cpp").string(), "-o", exe});
    EXPECT_EQ(cc.status, 0) << cc.err;
    return cc.status == 0 ? exe : std::string();
}

using ConformanceCppTest = ::testing::TestWithParam<std::string>;

} // namespace

TEST_P(ConformanceCppTest, TheMachinePrintsTheExpectedTrace) {
    const ScratchDir dir("cpp_" + GetParam());
    const std::string exe = buildRunner(GetParam(), dir.path);
    ASSERT_FALSE(exe.empty());
    const ProgramResult run = runProgram({exe, (kCases / GetParam() / "events.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const auto actual = splitLines(run.out);
    const auto expected = splitLines(slurp(kCases / GetParam() / "expected.txt"));
    expectSameLines(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceCppTest, ::testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

// A script naming an event the machine lacks must fail the run rather than pass quietly
// with a shorter trace.
TEST(ConformanceCppRunnerTest, AnUnknownEventFailsTheRun) {
    const ScratchDir dir("cpp_unknown_event");
    const std::string exe = buildRunner("nesting", dir.path);
    ASSERT_FALSE(exe.empty());
    std::ofstream(dir.path / "events.txt") << "start\nno_such_event\n";
    const ProgramResult run = runProgram({exe, (dir.path / "events.txt").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}
