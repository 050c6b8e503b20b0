// tvc2c end to end: every conformance chart becomes C99 that compiles without a
// warning under gcc and clang, and a chart of hostile names and code compiles, links from C++
// and runs; files that disagree on the queue size cannot be linked together.

#include "tests/generators/generator_fixture.h"

namespace {

const std::vector<std::string> kStrictC = {"-std=c99",
                                           "-Wall",
                                           "-Wextra",
                                           "-Wpedantic",
                                           "-Werror",
                                           "-Wstrict-prototypes",
                                           "-Wmissing-prototypes",
                                           "-Wconversion"};

std::vector<std::string> compilers() {
    std::vector<std::string> found = {"gcc"};
    if (runProgram({"clang", "--version"}).status == 0)
        found.push_back("clang");
    return found;
}

class Tvc2cTest : public GeneratorTest {
protected:
    static ProgramResult tvc2c(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2C);
        return runProgram(args);
    }
    static ProgramResult run(std::vector<std::string> args, const std::vector<std::string>& extra) {
        args.insert(args.end(), extra.begin(), extra.end());
        return runProgram(args);
    }
};

// Events named after the machine's own functions and constants, an event name that would
// end a comment, a guard whose comment ends in a line splice, and an effect with
// preprocessor lines that raises the same event twice.
void saveHostileChart(const std::filesystem::path& path) {
    TestChart chart;
    auto* a = chart.state({50, 50, 200, 150}, "A");
    auto* initial = chart.initial({10, 10, 14, 14});
    chart.connect(initial, NODE(3, 1), a, NODE(1, 1));
    const std::pair<const char*, const char*> events[] = {
        {"init", "init"},       {"dispatch", "dispatch"}, {"isIn", "isIn"},
        {"HANDLED", "HANDLED"}, {"State", "State"},       {"end*/?\?/x", "end_x"}};
    for (const auto& [event, logged] : events)
        chart.label(chart.connect(a, NODE(3, 2), a, NODE(1, 2)), event, "",
                    "ctx.log(\"" + std::string(logged) + "\");");
    chart.label(chart.connect(a, NODE(3, 2), a, NODE(1, 2)), "burst", "ctx.flag(\"x\") // holds \\",
                "#if 1\nctx.raise(\"init\");\n#endif\nctx.raise(\"init\"); // twice");
    chart.properties().name = "Edge";
    chart.properties().ctxNameCPP = "Ctx";
    chart.properties().ctxFileCPP = "conformance_ctx.h";
    chart.save(path);
}

// A C++ caller: a raise reports what the machine did with it.
constexpr const char* kCaller = R"(#include "edgeTN.h"
#include <cstdio>

static EdgeTN machine;

static const char* said(EdgeTN_Result r) {
    return r == EdgeTN_HANDLED ? "handled" : r == EdgeTN_IGNORED ? "ignored"
         : r == EdgeTN_QUEUED ? "queued" : "dropped";
}
static void logLine(const char* line) { std::printf("%s\n", line); }
static int flag(const char*) { return 1; }
static void raiseEvent(const char* event) {
    std::printf("raise %s -> %s\n", event, said(EdgeTN_init_(&machine)));
}

int main() {
    Ctx ctx = {logLine, flag, raiseEvent, nullptr};
    EdgeTN_init(&machine, &ctx);
    EdgeTN_start(&machine);
    std::printf("%s\n", said(EdgeTN_init_(&machine)));
    std::printf("%s\n", said(EdgeTN_dispatch_(&machine)));
    std::printf("%s\n", said(EdgeTN_isIn_(&machine)));
    std::printf("%s\n", said(EdgeTN_HANDLED_(&machine)));
    std::printf("%s\n", said(EdgeTN_State_(&machine)));
    std::printf("%s\n", said(EdgeTN_dispatch(&machine, EdgeTN_E_end_x)));
    std::printf("%s\n", said(EdgeTN_burst(&machine)));
    std::printf("%s %s\n", EdgeTN_stateName(EdgeTN_activeState(&machine)),
                EdgeTN_eventName(EdgeTN_E_end_x));
}
)";

} // namespace

// The shipped examples' C is built and run by the example programs.
TEST_F(Tvc2cTest, EveryConformanceChartCompilesWithoutWarnings) {
    const std::string context = (conformanceFolder() / "c").string();
    for (const std::string& name : caseNames()) {
        SCOPED_TRACE(name);
        const auto model = dir / (name + ".tvc");
        std::filesystem::copy_file(conformanceFolder() / name / "chart.tvc", model);
        for (const bool trace : {false, true}) {
            const ProgramResult r = tvc2c(trace ? std::vector<std::string>{"-d", "-g", model}
                                                : std::vector<std::string>{"-d", model});
            ASSERT_EQ(r.status, 0) << r.out;
            const std::string base = (dir / name).string();
            for (const std::string& cc : compilers()) {
                const ProgramResult built =
                    run({cc, "-I", context, "-c", base + "TN.c", "-o", base + ".o"}, kStrictC);
                EXPECT_EQ(built.status, 0) << cc << (trace ? " -g\n" : "\n") << built.err;
            }
        }
    }
}

TEST_F(Tvc2cTest, HostileNamesAndCodeCompileAndRunFromCpp) {
    saveHostileChart(dir / "edge.tvc");
    const ProgramResult gen = tvc2c({"-d", (dir / "edge.tvc").string()});
    ASSERT_EQ(gen.status, 0) << gen.out;
    std::ofstream(dir / "main.cpp") << kCaller;
    const std::string context = (conformanceFolder() / "c").string();
    const std::string queue = "-DEDGETN_QUEUE_SIZE=1";
    // The guard's comment continues onto the next line on purpose.
    const ProgramResult machine =
        run({"gcc", "-Wno-comment", queue, "-I", context, "-c", (dir / "edgeTN.c").string(), "-o",
             (dir / "edge.o").string()},
            kStrictC);
    ASSERT_EQ(machine.status, 0) << machine.err;
    const ProgramResult caller =
        runProgram({"g++", "-std=c++17", "-Wall", "-Wextra", "-Werror", queue, "-I", context, "-I",
                    dir.string(), (dir / "main.cpp").string(), (dir / "edge.o").string(), "-o",
                    (dir / "edge").string()});
    ASSERT_EQ(caller.status, 0) << caller.err;
    const ProgramResult out = runProgram({(dir / "edge").string()});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(splitLines(out.out),
              (std::vector<std::string>{"init", "handled", "dispatch", "handled", "isIn", "handled",
                                        "HANDLED", "handled", "State", "handled", "end_x",
                                        "handled", "raise init -> queued", "raise init -> dropped",
                                        "init", "handled", "A_Edge end*/?\?/x"}));
}

// The queue's size decides the struct's, so a file that sees another size than the machine's
// would pass a struct of the wrong size: such files must not link. C++ callers link through
// the header's C linkage.
TEST_F(Tvc2cTest, CallersLinkOnlyWhenTheyAgreeOnTheQueueSize) {
    std::filesystem::copy_file(conformanceFolder() / "nesting" / "chart.tvc", dir / "nesting.tvc");
    ASSERT_EQ(tvc2c({"-d", (dir / "nesting.tvc").string()}).status, 0);
    std::ofstream(dir / "main.c") << "#include \"nestingTN.h\"\n"
                                     "int main(void) {\n"
                                     "    static NestingTN machine;\n"
                                     "    NestingTN_init(&machine, 0);\n"
                                     "    return NestingTN_isFinished(&machine);\n"
                                     "}\n";
    const std::string context = (conformanceFolder() / "c").string();
    struct Row {
        std::string machine, caller, language;
        bool links;
    };
    const Row rows[] = {{"", "", "c", true},
                        {"", "", "c++", true},
                        {"-DNESTINGTN_QUEUE_SIZE=4", "-DNESTINGTN_QUEUE_SIZE=4", "c", true},
                        {"", "-DNESTINGTN_QUEUE_SIZE=4", "c", false},
                        {"-DNESTINGTN_QUEUE_SIZE=8", "-DNESTINGTN_QUEUE_SIZE=4", "c++", false}};
    const auto compile = [&](const std::string& define, const std::string& language,
                             const std::string& source) {
        std::vector<std::string> args = {"gcc", "-x", language, "-I", context, "-c"};
        args.insert(args.end(), {(dir / source).string(), "-o", (dir / source).string() + ".o"});
        if (!define.empty())
            args.push_back(define);
        return runProgram(args).status == 0;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.machine + " / " + row.caller + " " + row.language);
        ASSERT_TRUE(compile(row.machine, "c", "nestingTN.c"));
        ASSERT_TRUE(compile(row.caller, row.language, "main.c"));
        const ProgramResult linked =
            runProgram({row.language == "c" ? "gcc" : "g++", (dir / "nestingTN.c.o").string(),
                        (dir / "main.c.o").string(), "-o", (dir / "linked").string()});
        EXPECT_EQ(linked.status == 0, row.links) << linked.err;
    }
}

// A parameter named as something the generated code names beside it must fail generation
// with the event named, in every language that passes arguments this way.
TEST_F(Tvc2cTest, ParametersTakingTheMachinesNamesAreRefused) {
    const std::string chart = slurp(conformanceFolder() / "parameters" / "chart.tvc");
    const std::pair<const char*, const char*> rows[] = {{TAVREN_TVC2C, "me"},
                                                        {TAVREN_TVC2C, "fired"},
                                                        {TAVREN_TVC2JAVA, "ctx"},
                                                        {TAVREN_TVC2CS, "queued"}};
    for (const auto& [program, name] : rows) {
        SCOPED_TRACE(std::string(program) + " " + name);
        std::string text = chart;
        for (std::size_t at = 0; (at = text.find("int count,", at)) != std::string::npos;)
            text.replace(at, 10, std::string("int ") + name + ",");
        std::ofstream(dir / "named.tvc", std::ios::binary) << text;
        const ProgramResult r = runProgram({program, "-d", (dir / "named.tvc").string()});
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.out.find("parameter named \"" + std::string(name) + "\""), std::string::npos)
            << r.out;
    }
}
