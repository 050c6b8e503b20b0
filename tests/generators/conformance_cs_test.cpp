// The conformance cases run through tvc2cs: every chart is generated, all of them compile in
// one mcs run with the C# runner (-warnaserror), and each is driven by its script under mono;
// what the actions print must match the same hand-written trace as in C++ and C.

#include "tests/generators/conformance_runner.h"

#include <map>
#include <regex>

namespace {

const std::filesystem::path kRunner = conformanceFolder() / "cs";

struct Build {
    std::string exe;
    std::map<std::string, std::string> classes; // case name, machine class
};

// Generates and compiles every case; no program after a failure has been recorded.
Build buildAll(const std::filesystem::path& dir, bool withTrace) {
    Build build;
    const auto sources = generateCases(TAVREN_TVC2CS, dir, withTrace, "TN.cs");
    if (sources.empty())
        return build;
    const auto names = caseNames();
    std::vector<std::string> mcs = {"mcs",
                                    "-warnaserror",
                                    "-warn:4",
                                    "-out:" + (dir / "runner.exe").string(),
                                    (kRunner / "Ctx.cs").string(),
                                    (kRunner / "Runner.cs").string()};
    for (std::size_t i = 0; i < sources.size(); ++i) {
        mcs.push_back(sources[i].string());
        // The class is named after the chart's model, which the source shows.
        std::smatch m;
        const std::string text = slurp(sources[i]);
        if (std::regex_search(text, m, std::regex(R"(\npublic sealed class (\w+) \{)")))
            build.classes[names[i]] = m[1];
    }
    const ProgramResult built = runProgram(mcs);
    EXPECT_EQ(built.status, 0) << built.out << built.err;
    if (built.status == 0)
        build.exe = (dir / "runner.exe").string();
    return build;
}

std::vector<std::string> runner(const Build& build, const std::string& name) {
    return {"mono", build.exe, build.classes.count(name) ? build.classes.at(name) : name};
}

} // namespace

TEST(ConformanceCsTest, EveryMachinePrintsTheExpectedTrace) {
    const ScratchDir dir("cs");
    const Build build = buildAll(dir.path, false);
    ASSERT_FALSE(build.exe.empty());
    for (const std::string& name : caseNames())
        expectCaseTrace(runner(build, name), name, false);

    // A script naming an event the machine lacks must fail the run rather than pass quietly
    // with a shorter trace.
    std::ofstream(dir.path / "unknown.txt") << "start\nno_such_event\n";
    auto args = runner(build, "nesting");
    args.push_back((dir.path / "unknown.txt").string());
    const ProgramResult run = runProgram(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}

// The trace hook must not change what the machine does.
TEST(ConformanceCsTest, TracingChangesNothingButStandardError) {
    const ScratchDir dir("cs_g");
    const Build build = buildAll(dir.path, true);
    ASSERT_FALSE(build.exe.empty());
    for (const std::string& name : caseNames())
        expectCaseTrace(runner(build, name), name, true);
}
