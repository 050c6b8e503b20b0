// The shared generator command line, through a probe generator that fails on request: every
// kind of exception ends in the same report, and nothing it began writing stays behind.

#include "tests/generators/generator_fixture.h"

#include <functional>
#include <regex>

namespace {

using GeneratorMainTest = GeneratorTest;

ProgramResult probe(std::vector<std::string> args) {
    args.insert(args.begin(), TAVREN_GENERATOR_PROBE);
    return runProgram(args);
}

// One state, with the mode the probe should run in as the model name.
std::string saveProbeChart(const std::filesystem::path& dir, const std::string& mode) {
    TestChart chart;
    chart.state({10, 10, 50, 40}, "Only");
    chart.properties().name = mode;
    const auto path = dir / (mode + ".tvc");
    chart.save(path);
    return path.string();
}

// The failure report: the step that failed, FAILURE: and the error.
std::vector<std::string> lastLines(const std::string& out) {
    const auto lines = splitLines(out);
    return {lines.end() - std::min<std::ptrdiff_t>(3, std::ssize(lines)), lines.end()};
}

} // namespace

TEST_F(GeneratorMainTest, EveryKindOfExceptionEndsInTheFailureReportAndLeavesNoFiles) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"string", "probe failure"},
        {"cstr", "c string"},
        {"runtime", "Unexpected failure: boom"},
        {"int", "Unexpected failure"}};
    for (const auto& [mode, message] : cases) {
        SCOPED_TRACE(mode);
        const std::string model = saveProbeChart(dir, mode);
        const ProgramResult r = probe({"-d", model});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(lastLines(r.out),
                  (std::vector<std::string>{"trace off", "FAILURE:", "Error : " + message}));
        // Both the header the front end made and the half-written source are gone.
        EXPECT_EQ(files(), std::set<std::string>{mode + ".tvc"});
        std::filesystem::remove(model);
    }
}

TEST_F(GeneratorMainTest, TheTraceOptionReachesTheGeneratorAndSuccessKeepsItsFiles) {
    const std::string model = saveProbeChart(dir, "ok");
    const auto traceLine = [&](std::vector<std::string> args) {
        args.push_back(model);
        const auto lines = splitLines(probe(args).out);
        return lines.empty() ? std::string() : lines.back();
    };
    EXPECT_EQ(traceLine({"-d", "-g"}), "trace on");
    EXPECT_EQ(traceLine({"-g", "-d"}), "trace on");
    EXPECT_EQ(traceLine({"-dg"}), "trace on");
    EXPECT_EQ(traceLine({"-d"}), "trace off");
    EXPECT_EQ(traceLine({}), "trace off");
    // Success keeps what the generator wrote.
    EXPECT_EQ(files(), (std::set<std::string>{"ok.tvc", "okTN.h", "okTN.probe"}));
    EXPECT_EQ(slurp(dir / "okTN.probe"), "half of it and the rest\n");
}

TEST_F(GeneratorMainTest, ReplacingTheOtherLanguagesHeaderIsToldNotSilent) {
    const auto model = (dir / "door.tvc").string();
    std::filesystem::copy_file(std::string(TAVREN_EXAMPLES) + "/door.tvc", model);
    const std::string warning = "Warning: " + (dir / "doorTN.h").string() +
                                " was written by tvc2cpp and is replaced by tvc2c; generate "
                                "each language into a folder of its own.";
    const auto run = [&](const char* program) {
        const ProgramResult r = runProgram({program, "-d", model});
        EXPECT_EQ(r.status, 0) << r.out;
        return splitLines(r.out);
    };
    const auto count = [&](const std::vector<std::string>& lines) {
        return std::count(lines.begin(), lines.end(), warning);
    };
    EXPECT_EQ(count(run(TAVREN_TVC2CPP)), 0) << "no header yet";
    EXPECT_EQ(count(run(TAVREN_TVC2C)), 1);
    EXPECT_EQ(count(run(TAVREN_TVC2C)), 0) << "its own header";
}

namespace {

struct Generator {
    const char* name;
    const char* program;
    const char* suffix; // of the file it writes
};

const Generator kGenerators[] = {{"tvc2cpp", TAVREN_TVC2CPP, "TN.cpp"},
                                 {"tvc2c", TAVREN_TVC2C, "TN.c"},
                                 {"tvc2java", TAVREN_TVC2JAVA, "TN.java"},
                                 {"tvc2cs", TAVREN_TVC2CS, "TN.cs"},
                                 {"tvc2xml", TAVREN_TVC2XML, "TN.xml"}};

} // namespace

// A chart the front end refuses ends in the failure report after the step that found it; once
// generation has begun, the output of an earlier run is stale and goes, but a file that only
// shares the name prefix (the front end's base + "dummy" without a header) is the user's.
TEST_F(GeneratorMainTest, EveryGeneratorReportsARefusedChartAndLeavesTheUsersFiles) {
    struct Case {
        const char* what;
        std::function<void(TestChart&, GenericState*, GenericState*)> draw;
        const char* step;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"no initial state",
         [](TestChart& c, auto* a, auto* b) {
             c.label(c.connect(a, NODE(2, 2), b, NODE(4, 2)), "go");
         },
         "Generating code...", "The chart has no initial state at its top level."},
        {"a duplicate unguarded event",
         [](TestChart& c, auto* a, auto* b) {
             c.connect(c.initial({5, 50, 9, 54}), NODE(2, 1), a, NODE(3, 1));
             c.label(c.connect(a, NODE(1, 2), b, NODE(3, 4)), "go");
             c.label(c.connect(a, NODE(3, 2), b, NODE(1, 4)), "go", "", "log();");
         },
         "Generating code...", "An event without guard found multiple times for, EVENT = go"},
        {"an orphan transition",
         [](TestChart& c, auto* a, auto*) {
             c.label(c.connect(a, NODE(2, 3), nullptr, NODE()), "lost");
         },
         "Checking for model constraints...",
         "Orphan Transition.. Either head / tail / both are not attached"},
    };
    for (const Generator& g : kGenerators)
        for (const Case& c : cases) {
            if (g.program == std::string(TAVREN_TVC2XML) &&
                c.what == std::string("no initial state"))
                continue; // the XML shows any chart
            SCOPED_TRACE(std::string(g.name) + ": " + c.what);
            std::filesystem::remove_all(dir);
            std::filesystem::create_directories(dir);
            TestChart chart;
            c.draw(chart, chart.state({10, 10, 50, 40}, "A"), chart.state({100, 10, 140, 40}, "B"));
            chart.save(dir / "bad.tvc");
            if (c.step == std::string("Generating code..."))
                std::ofstream(dir / ("bad" + std::string(g.suffix))) << "stale";
            std::ofstream(dir / "baddummy") << "mine\n";
            const ProgramResult r = runProgram({g.program, "-d", (dir / "bad.tvc").string()});
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(
                lastLines(r.out),
                (std::vector<std::string>{c.step, "FAILURE:", "Error : " + std::string(c.error)}));
            EXPECT_EQ(files(), (std::set<std::string>{"bad.tvc", "baddummy"}));
            EXPECT_EQ(slurp(dir / "baddummy"), "mine\n");
        }
}

TEST_F(GeneratorMainTest, EveryGeneratorHasTheSameCommandLine) {
    for (const Generator& g : kGenerators) {
        SCOPED_TRACE(g.name);
        const auto run = [&](std::vector<std::string> args) {
            args.insert(args.begin(), g.program);
            return runProgram(args);
        };
        const ProgramResult help = run({"--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: " + std::string(g.name) + " [-d] [-g] MODEL\n", 0), 0u)
            << help.out;
        EXPECT_EQ(help.err, "");
        const ProgramResult version = run({"--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_TRUE(std::regex_match(
            version.out, std::regex(std::string(g.name) + R"( \(Tavren\) \d+\.\d+\.\d+\n)")))
            << version.out;
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{}, {"-d"}, {"-d", "-g"}, {"-d", "--"}}) {
            const ProgramResult r = run(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find(std::string(g.name) + ": no model file given"), std::string::npos)
                << r.err;
        }
        const ProgramResult unknown = run({"-x", "door.tvc"});
        EXPECT_EQ(unknown.status, 2);
        EXPECT_NE(unknown.err.find("unknown option '-x'"), std::string::npos) << unknown.err;
        const std::string missing = (dir / "missing.tvc").string();
        EXPECT_EQ(splitLines(run({"-d", missing}).out),
                  (std::vector<std::string>{"Reading model file...", "FAILURE:",
                                            "Error : Unable to open file : " + missing}));
        EXPECT_TRUE(files().empty());
    }
}

// A public name never moves to another event: two events that would share a function are
// refused in every language, naming both in the order drawn, and the generator writes
// nothing; a keyword's renaming does not depend on the chart's other events.
TEST_F(GeneratorMainTest, EventsThatWouldShareANameAreRefusedInEveryLanguage) {
    const auto save = [&](const std::vector<std::string>& events, const std::string& name) {
        TestChart chart;
        auto* a = chart.state({10, 10, 50, 40}, "A");
        auto* b = chart.state({100, 10, 140, 40}, "B");
        chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), a, NODE(3, 1));
        for (const std::string& event : events)
            chart.label(chart.connect(a, NODE(2, 2), b, NODE(4, 2)), event);
        chart.properties().name = "Names";
        chart.properties().ctxNameCPP = "Ctx";
        chart.properties().ctxFileCPP = "ctx.h";
        const auto path = dir / (name + ".tvc");
        chart.save(path);
        return path.string();
    };
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"door_open", "door-open"}, R"(The events "door_open" and "door-open" would both be)"},
        {{"door-open", "door open"}, R"(The events "door-open" and "door open" would both be)"},
    };
    for (const char* generator : {TAVREN_TVC2CPP, TAVREN_TVC2C, TAVREN_TVC2JAVA, TAVREN_TVC2CS})
        for (const auto& [events, message] : refused) {
            SCOPED_TRACE(std::string(generator) + " " + events.front());
            const std::string model = save(events, "names");
            const ProgramResult r = runProgram({generator, "-d", model});
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.out.find(message), std::string::npos) << r.out;
            EXPECT_EQ(files(), std::set<std::string>{"names.tvc"});
        }

    // "delete" is a C++ keyword: a caller reaches it as delete_ whether or not "go" is there.
    std::ofstream(dir / "ctx.h") << "struct Ctx {};\n";
    std::ofstream(dir / "main.cpp")
        << "#include \"keywordTN.h\"\n"
           "int main() {\n"
           "    Ctx ctx;\n"
           "    NamesTN m(ctx);\n"
           "    m.start();\n"
           "    return m.delete_() == NamesTN::Result::Handled ? 0 : 1;\n"
           "}\n";
    for (const auto& events :
         {std::vector<std::string>{"delete"}, std::vector<std::string>{"go", "delete"}}) {
        SCOPED_TRACE(events.size());
        const std::string model = save(events, "keyword");
        ASSERT_EQ(runProgram({TAVREN_TVC2CPP, "-d", model}).status, 0);
        const std::string exe = (dir / "keyword").string();
        const ProgramResult built =
            runProgram({"g++", "-std=c++17", "-I", dir.string(), (dir / "main.cpp").string(),
                        (dir / "keywordTN.cpp").string(), "-o", exe});
        ASSERT_EQ(built.status, 0) << built.err;
        EXPECT_EQ(runProgram({exe}).status, 0);
    }
}

// What generation leaves out or can never run is told, one line each, by every generator, and
// the chart is generated all the same.
TEST_F(GeneratorMainTest, WhatAChartHoldsInVainIsWarnedAboutAndGenerated) {
    TestChart chart;
    auto* a = chart.state({10, 10, 60, 40}, "A");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), a, NODE(3, 1));
    auto* p = chart.state({100, 60, 300, 200}, "P");
    auto* inner = chart.state({120, 100, 170, 130}, "In");
    chart.label(chart.connect(chart.initial({105, 65, 109, 69}), NODE(3, 1), inner, NODE(1, 1)), "",
                "", "ctx.log();");
    chart.label(chart.connect(a, NODE(2, 2), p, NODE(4, 2)), "enter");
    chart.label(chart.connect(p, NODE(3, 2), a, NODE(3, 2)), "");
    auto* q = chart.state({400, 60, 600, 200}, "Q");
    chart.state({420, 100, 470, 130}, "Deep");
    chart.label(chart.connect(a, NODE(1, 2), q, NODE(1, 1)), "jump");
    chart.properties().name = "Vain";
    chart.save(dir / "vain.tvc");

    const std::vector<std::string> expected = {
        "Warning: the label \"/ ctx.log();\" on the initial transition of P_Vain is ignored: an "
        "initial transition has no event, guard or effect [initial-label]",
        "Warning: the transition from P_Vain to A_Vain has no event and never fires: P_Vain has "
        "no final state in its region to complete it [completion-never-fires]",
        "Warning: Q_Vain is entered directly but has no initial state: it stays active without "
        "an active sub-state [no-initial-state]",
    };
    for (const char* generator :
         {TAVREN_TVC2CPP, TAVREN_TVC2C, TAVREN_TVC2JAVA, TAVREN_TVC2CS, TAVREN_TVC2XML}) {
        SCOPED_TRACE(generator);
        const ProgramResult r = runProgram({generator, "-d", (dir / "vain.tvc").string()});
        EXPECT_EQ(r.status, 0) << r.out;
        std::vector<std::string> warnings;
        for (const std::string& line : splitLines(r.out))
            if (line.rfind("Warning: ", 0) == 0 && line.back() == ']') // not the header note
                warnings.push_back(line);
        EXPECT_EQ(warnings, expected);
        EXPECT_GT(files().size(), 1u);
    }
}
