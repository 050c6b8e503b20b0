// tvcsim from the outside: what it prints in each mode, and how it fails.

#include "tests/generators/generator_fixture.h"

namespace {

using TvcsimTest = GeneratorTest;

ProgramResult tvcsim(std::vector<std::string> args) {
    args.insert(args.begin(), TAVREN_TVCSIM);
    return runProgram(args);
}

} // namespace

TEST_F(TvcsimTest, ExplainsEachStepAndSpeaksJsonToTools) {
    const std::string chart = (conformanceFolder() / "guards" / "chart.tvc").string();
    std::ofstream(dir / "script.txt") << "# x holds\nguard ctx.flag(\"x\") = true\n\ngo\n";
    const std::string script = (dir / "script.txt").string();

    // A run writes nothing, not even over a header generated next to the chart.
    std::filesystem::copy_file(chart, dir / "guards.tvc");
    std::ofstream(dir / "guardsTN.h") << "generated\n";
    const ProgramResult trace = tvcsim({(dir / "guards.tvc").string(), script});
    ASSERT_EQ(trace.status, 0) << trace.err;
    EXPECT_EQ(files(), (std::set<std::string>{"guards.tvc", "guardsTN.h", "script.txt"}));
    EXPECT_EQ(slurp(dir / "guardsTN.h"), "generated\n");
    EXPECT_EQ(splitLines(trace.out),
              (std::vector<std::string>{"enter Box_Guards", "enter Idle_Box", "exit Idle_Box",
                                        "Idle_Box -go-> A_Box", "enter A_Box"}));

    const ProgramResult explained = tvcsim({"--explain", chart, script});
    ASSERT_EQ(explained.status, 0) << explained.err;
    for (const char* line :
         {"event go: handled",
          "  try Idle_Box -go-> B_Box [ctx.flag(\"y\")] (depth 0, #2): guard false",
          "  try Idle_Box -go-> A_Box [ctx.flag(\"x\")] (depth 0, #3): guard true, fired",
          "  effect Idle_Box: ctx.log(\"Idle -go-> A\");", "  | Idle_Box -go-> A_Box"})
        EXPECT_NE(explained.out.find(std::string(line) + "\n"), std::string::npos) << line;

    // A completion is explained step by step too: the state completes, its guards are asked.
    std::ofstream(dir / "completion.txt") << "go\n";
    const ProgramResult completed =
        tvcsim({"--explain", (conformanceFolder() / "eventless_simple" / "chart.tvc").string(),
                (dir / "completion.txt").string()});
    ASSERT_EQ(completed.status, 0) << completed.err;
    for (const char* line :
         {"  complete C_EventlessSimple: its transitions without an event are tried",
          "  completion guard C_EventlessSimple --> D_EventlessSimple [ctx.flag(\"x\")]: false",
          "  fire C_EventlessSimple --> E_EventlessSimple"})
        EXPECT_NE(completed.out.find(std::string(line) + "\n"), std::string::npos) << line;

    const ProgramResult json = tvcsim({"--json", chart, script});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto objects = splitLines(json.out);
    ASSERT_EQ(objects.size(), 2u);
    for (const std::string& object : objects)
        EXPECT_TRUE(object.front() == '{' && object.back() == '}') << object;
    const std::string answered =
        R"j("guard":"ctx.flag(\"x\")","guardAsked":true,"guardAnswer":true,)j";
    EXPECT_NE(objects[1].find(answered), std::string::npos) << objects[1];
}

TEST_F(TvcsimTest, FailuresSayWhereAndExitAsTheGeneratorsDo) {
    const std::string chart = (conformanceFolder() / "guards" / "chart.tvc").string();
    std::ofstream(dir / "bad_event.txt") << "go\nleave\n";
    std::ofstream(dir / "bad_guard.txt") << "guard ctx.flag(\"x\") = maybe\n";
    std::ofstream(dir / "trace.txt") << "enter Box_Guards\nenter Idle_Box\nIdle_Box -go-> A_Box\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, 2, "Usage: tvcsim"},
        {{"--frobnicate", chart}, 2, "unknown option '--frobnicate'"},
        {{(dir / "none.tvc").string()}, 1, "Error : Unable to open file : "},
        {{chart, (dir / "bad_event.txt").string()}, 1, "bad_event.txt:2: unknown event: leave"},
        {{chart, (dir / "bad_guard.txt").string()}, 1, "bad_guard.txt:1: a guard line reads"},
        {{"--check", (dir / "trace.txt").string(), chart},
         1,
         "trace.txt:3: the chart gives \"exit Idle_Box\", the trace has \"Idle_Box -go-> A_Box\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const ProgramResult r = tvcsim(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}
