// tvc2cpp run as the editor runs it: every chart's machine compiles cleanly with both compilers,
// and hostile names and code compile, link and run.

#include "tests/generators/generator_fixture.h"

namespace {

class Tvc2cppTest : public GeneratorTest {
protected:
    static ProgramResult tvc2cpp(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2CPP);
        return runProgram(args);
    }
    // Strictly against the test contexts; the compiler's complaints come back in err.
    ProgramResult compile(const std::string& compiler, std::vector<std::string> sources,
                          const std::vector<std::string>& extra = {},
                          const std::string& standard = "-std=c++17") const {
        std::vector<std::string> args{compiler,     standard,   "-Wall",        "-Wextra",
                                      "-Wpedantic", "-Wshadow", "-Wconversion", "-Werror"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-I", TAVREN_CPP_TEST_DATA, "-I", dir.string(), "-I",
                                 (conformanceFolder() / "cpp").string()});
        args.insert(args.end(), sources.begin(), sources.end());
        return runProgram(args);
    }
};

} // namespace

// The benchmark's chart and every conformance chart, plain and with -g, under both compilers in
// strict ISO and GNU mode (where unix and linux are macros); the example programs build the
// shipped examples.
TEST_F(Tvc2cppTest, EveryChartCompilesWithoutWarningsUnderEveryCompilerAndMode) {
    std::filesystem::copy_file(TAVREN_PLAYER_CHART, dir / "player.tvc");
    std::vector<std::filesystem::path> models = {dir / "player.tvc"};
    std::filesystem::create_directory(dir / "cases");
    for (const std::string& name : caseNames()) {
        models.push_back(dir / "cases" / (name + ".tvc"));
        std::filesystem::copy_file(conformanceFolder() / name / "chart.tvc", models.back());
    }
    std::vector<std::string> compilers = {"g++"};
    if (runProgram({"clang++", "--version"}).status == 0)
        compilers.push_back("clang++");
    for (const bool trace : {false, true}) {
        std::vector<std::string> sources = {"-fsyntax-only"};
        for (const auto& model : models) {
            const ProgramResult r = tvc2cpp(trace ? std::vector<std::string>{"-g", "-d", model}
                                                  : std::vector<std::string>{"-d", model});
            ASSERT_EQ(r.status, 0) << model << "\n" << r.out;
            sources.push_back((model.parent_path() / model.stem()).string() + "TN.cpp");
        }
        for (const std::string& cc : compilers)
            for (const char* standard : {"-std=c++17", "-std=gnu++17"}) {
                if (trace && standard != std::string(cc == "g++" ? "-std=gnu++17" : "-std=c++17"))
                    continue;
                SCOPED_TRACE(cc + " " + standard + (trace ? " -g" : ""));
                const ProgramResult built = compile(cc, sources, {}, standard);
                EXPECT_EQ(built.status, 0) << built.err;
            }
    }
}

// Names that are keywords, macros, the machine's own members or comment enders, and user code
// ending in a comment, a preprocessor line or a line splice: the machine compiles in GNU mode
// inside the context's namespace and every event still fires under its chart name.
TEST_F(Tvc2cppTest, AwkwardNamesAndCodeStayInsideTheirOwnPlace) {
    TestChart chart;
    auto* first = chart.state({10, 10, 60, 40}, "1st stop");
    auto* second = chart.state({100, 10, 160, 40}, "a-b */ c", "ctx.count(); // in");
    auto* twin = chart.state({200, 10, 260, 40}, "a_b_c", "#if 1\r\nctx.count();\r\n#endif");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), first, NODE(3, 1));
    // Guards are one line in the model file; effects and entry actions may be several.
    struct Edge {
        std::string event, guard, effect;
    };
    std::vector<Edge> events = {{"start", "ctx.ok() // always", "ctx.count(); // effect"},
                                {"delete", "ctx.ok() \\", "ctx.count();\r\n#if 1\r\n#endif"},
                                {"go on", "ctx.ok() /* c */", "ctx.count(); \\"},
                                {"go", "", "#define UNUSED_EFFECT_MACRO 1\r\nctx.count();"}};
    for (const char* name :
         {"isFinished", "ctx", "unix", "linux", "dispatch", "State", "nameOf", "i386", "end */ x"})
        events.push_back({name, "", "ctx.count();"});
    for (const Edge& e : events)
        chart.label(chart.connect(first, NODE(2, 2), second, NODE(4, 2)), e.event, e.guard,
                    e.effect);
    chart.label(chart.connect(second, NODE(2, 2), first, NODE(4, 2)), "back");
    chart.label(chart.connect(second, NODE(2, 3), twin, NODE(4, 3)), "A-B");
    chart.properties().name = "My chart";
    chart.properties().ctxNameCPP = "OddContext";
    chart.properties().ctxNameSpaceCPP = "acme::odd";
    chart.properties().ctxFileCPP = "odd_context.h";
    chart.save(dir / "odd.tvc");
    std::ofstream(dir / "odd_context.h") << "namespace acme::odd {\n"
                                            "struct OddContext {\n"
                                            "    bool ok() const { return true; }\n"
                                            "    void count() { ++actions; }\n"
                                            "    int actions = 0;\n"
                                            "};\n"
                                            "} // namespace acme::odd\n";
    // Every event by its chart name, through dispatch, from the first state and back.
    std::ofstream(dir / "main.cpp")
        << "#include \"oddTN.h\"\n"
           "#include <cstdio>\n"
           "using Machine = acme::odd::My_chartTN;\n"
           "int main() {\n"
           "    acme::odd::OddContext ctx;\n"
           "    Machine m(ctx);\n"
           "    m.start();\n"
           "    std::printf(\"%s\\n\", Machine::nameOf(m.activeState()));\n"
           "    for (unsigned i = 0; *Machine::nameOf(static_cast<Machine::Event>(i)); ++i) {\n"
           "        const auto e = static_cast<Machine::Event>(i);\n"
           "        const bool fired = m.dispatch(e) == Machine::Result::Handled;\n"
           "        std::printf(\"%s %d %s\\n\", Machine::nameOf(e), fired ? 1 : 0,\n"
           "                    Machine::nameOf(m.activeState()));\n"
           "        if (fired)\n"
           "            m.back();\n"
           "    }\n"
           "    m.unix_();\n"
           "    m.State_();\n"
           "    std::printf(\"%d\\n\", ctx.actions);\n"
           "}\n";

    const ProgramResult gen = tvc2cpp({"-d", "-g", (dir / "odd.tvc").string()});
    ASSERT_EQ(gen.status, 0) << gen.out;
    const std::string header = slurp(dir / "oddTN.h");
    const std::string source = slurp(dir / "oddTN.cpp");
    const auto exe = (dir / "odd").string();
    const ProgramResult built =
        compile("g++", {(dir / "main.cpp").string(), (dir / "oddTN.cpp").string(), "-o", exe}, {},
                "-std=gnu++17");
    ASSERT_EQ(built.status, 0) << built.err;
    const ProgramResult run = runProgram({exe});
    EXPECT_EQ(run.status, 0);
    // States are named as the trace names them: after their parent, here the model.
    std::vector<std::string> expected = {"1st stop_My chart"};
    for (const Edge& e : events)
        expected.push_back(e.event + " 1 a-b */ c_My chart");
    expected.insert(expected.end(), {"back 0 1st stop_My chart", "A-B 0 1st stop_My chart",
                                     // each event: its effect and the entry of a-b
                                     std::to_string(2 * events.size() + 2)});
    EXPECT_EQ(splitLines(run.out), expected);

    // The same chart gives the same bytes.
    ASSERT_EQ(tvc2cpp({"-d", "-g", (dir / "odd.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "oddTN.h"), header);
    EXPECT_EQ(slurp(dir / "oddTN.cpp"), source);
}

// Every file must see one queue size: the constructor's symbol holds it, so a program whose
// files disagree fails to link instead of running with two layouts of the machine.
TEST_F(Tvc2cppTest, FilesThatDisagreeOnTheQueueSizeDoNotLink) {
    std::filesystem::copy_file(TAVREN_PLAYER_CHART, dir / "player.tvc");
    ASSERT_EQ(tvc2cpp({"-d", (dir / "player.tvc").string()}).status, 0);
    std::ofstream(dir / "main.cpp") << "#include \"playerTN.h\"\n"
                                       "int main() {\n"
                                       "    PlayerContext ctx;\n"
                                       "    PlayerTN m(ctx);\n"
                                       "    m.start();\n"
                                       "    return m.activeState() == PlayerTN::State::None_;\n"
                                       "}\n";
    const auto link = [&](const std::string& mainSize, const std::string& machineSize) {
        const auto object = (dir / "machine.o").string();
        const ProgramResult machine =
            compile("g++", {"-c", (dir / "playerTN.cpp").string(), "-o", object},
                    {"-DPLAYERTN_QUEUE_SIZE=" + machineSize});
        EXPECT_EQ(machine.status, 0) << machine.err;
        return compile("g++", {(dir / "main.cpp").string(), object, "-o", (dir / "p").string()},
                       {"-DPLAYERTN_QUEUE_SIZE=" + mainSize});
    };
    const ProgramResult same = link("4", "4");
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(runProgram({(dir / "p").string()}).status, 0);
    const ProgramResult mixed = link("4", "16");
    EXPECT_NE(mixed.status, 0);
    EXPECT_NE(mixed.err.find("QueueSize_<4"), std::string::npos) << mixed.err;
}
