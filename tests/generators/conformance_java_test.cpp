// The conformance cases run through tvc2java: every chart is generated, all of them compile
// in one javac run with the Java runner (javac -Xlint:all -Werror), and each is driven by its
// script; what the actions print must match the same hand-written trace as in C++ and C.

#include "tests/generators/conformance_runner.h"

namespace {

const std::filesystem::path kRunner = conformanceFolder() / "java";

// Generates and compiles every case; the classes folder, or an empty path after a failure
// has been recorded.
std::filesystem::path buildAll(const std::filesystem::path& dir, bool withTrace) {
    const auto sources = generateCases(TAVREN_TVC2JAVA, dir, withTrace, "TN.java");
    if (sources.empty())
        return {};
    const auto classes = dir / "classes";
    std::vector<std::string> javac = {"javac",
                                      "-Xlint:all",
                                      "-Werror",
                                      "-d",
                                      classes.string(),
                                      (kRunner / "Ctx.java").string(),
                                      (kRunner / "Runner.java").string()};
    for (const auto& source : sources)
        javac.push_back(source.string());
    const ProgramResult built = runProgram(javac);
    EXPECT_EQ(built.status, 0) << built.err;
    return built.status == 0 ? classes : std::filesystem::path();
}

std::vector<std::string> runner(const std::filesystem::path& classes, const std::string& name) {
    // The class is named after its file, which is named after the case's chart file.
    return {"java", "-XX:TieredStopAtLevel=1", "-cp", classes.string(), "Runner", name + "TN"};
}

} // namespace

TEST(ConformanceJavaTest, EveryMachinePrintsTheExpectedTrace) {
    const ScratchDir dir("java");
    const auto classes = buildAll(dir.path, false);
    ASSERT_FALSE(classes.empty());
    for (const std::string& name : caseNames())
        expectCaseTrace(runner(classes, name), name, false);

    // A script naming an event the machine lacks must fail the run rather than pass quietly
    // with a shorter trace.
    std::ofstream(dir.path / "unknown.txt") << "start\nno_such_event\n";
    auto args = runner(classes, "nesting");
    args.push_back((dir.path / "unknown.txt").string());
    const ProgramResult run = runProgram(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}

// The trace hook must not change what the machine does.
TEST(ConformanceJavaTest, TracingChangesNothingButStandardError) {
    const ScratchDir dir("java_g");
    const auto classes = buildAll(dir.path, true);
    ASSERT_FALSE(classes.empty());
    for (const std::string& name : caseNames())
        expectCaseTrace(runner(classes, name), name, true);
}
