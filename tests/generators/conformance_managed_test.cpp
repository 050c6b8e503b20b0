// The conformance cases run through tvc2java and tvc2cs: every chart is generated, all of
// them compile in one run with the language's runner (warnings as errors), and each case's
// script runs three ways: plain (nothing on standard error), built with -g (the trace on
// standard error) and plain with the runner's own observer, which must print the same trace.

#include "tests/generators/conformance_runner.h"
#include "tests/generators/managed_language.h"

#include <map>
#include <regex>

namespace {

class ConformanceManagedTest : public testing::TestWithParam<const ManagedLanguage*> {
protected:
    const ManagedLanguage& lang = *GetParam();

    struct Build {
        std::filesystem::path out;
        std::map<std::string, std::string> classes; // case name, machine class
    };

    // Generates and compiles every case; no output folder after a failure has been recorded.
    Build buildAll(const std::filesystem::path& dir, bool withTrace) const {
        Build build;
        const auto sources = generateCases(lang.generator, dir, withTrace, lang.suffix);
        if (sources.empty())
            return build;
        const auto runner = conformanceFolder() / (lang.java() ? "java" : "cs");
        const std::string ext = lang.java() ? ".java" : ".cs";
        std::vector<std::string> files = {(runner / ("Ctx" + ext)).string(),
                                          (runner / ("Runner" + ext)).string()};
        const auto names = caseNames();
        for (std::size_t i = 0; i < sources.size(); ++i) {
            files.push_back(sources[i].string());
            // Java names the class after its file; C# after the chart's model, which the
            // source shows.
            std::smatch m;
            const std::string text = slurp(sources[i]);
            build.classes[names[i]] = names[i] + "TN";
            if (!lang.java() && std::regex_search(text, m, std::regex(R"(\bclass (\w+) \{)")))
                build.classes[names[i]] = m[1];
        }
        const ProgramResult built = lang.compile(files, dir / "out");
        EXPECT_EQ(built.status, 0) << built.out << built.err;
        if (built.status == 0)
            build.out = dir / "out";
        return build;
    }

    std::vector<std::string> runner(const Build& build, const std::string& name,
                                    bool observe = false) const {
        auto args = lang.run(build.out, "Runner");
        if (observe)
            args.push_back("--observe");
        args.push_back(build.classes.at(name));
        args.push_back((conformanceFolder() / name / "events.txt").string());
        return args;
    }
};

} // namespace

TEST_P(ConformanceManagedTest, EveryCaseRunsPlainTracedAndObserved) {
    const ScratchDir plainDir(std::string(lang.name) + "_plain");
    const ScratchDir tracedDir(std::string(lang.name) + "_traced");
    const Build plain = buildAll(plainDir.path, false);
    const Build traced = buildAll(tracedDir.path, true);
    ASSERT_FALSE(plain.out.empty());
    ASSERT_FALSE(traced.out.empty());
    for (const std::string& name : caseNames()) {
        SCOPED_TRACE(name);
        const auto expected = splitLines(slurp(conformanceFolder() / name / "expected.txt"));
        const ProgramResult quiet = runProgram(runner(plain, name));
        const ProgramResult trace = runProgram(runner(traced, name));
        const ProgramResult observed = runProgram(runner(plain, name, true));
        for (const ProgramResult* run : {&quiet, &trace, &observed}) {
            ASSERT_EQ(run->status, 0) << run->err;
            expectSameLines(splitLines(run->out), expected);
        }
        EXPECT_EQ(quiet.err, "");
        EXPECT_NE(trace.err, "");
        expectSameLines(splitLines(observed.err), splitLines(trace.err));
        expectHandWrittenTrace(name, observed.err);
    }

    // A script naming an event the machine lacks must fail the run rather than pass quietly
    // with a shorter trace.
    std::ofstream(plainDir.path / "unknown.txt") << "start\ndispatch no_such_event\n";
    auto args = runner(plain, "nesting");
    args.back() = (plainDir.path / "unknown.txt").string();
    const ProgramResult run = runProgram(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown event: no_such_event"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(, ConformanceManagedTest, testing::Values(&kJava, &kCSharp), languageName);
