// tvc2cpp run as the editor runs it: the generated machine compiles cleanly with both
// compilers, and run on a chart of our own it does what the semantics say, line by line.

#include "tests/generators/generator_fixture.h"

namespace {

const std::vector<std::string> kStrict = {"-std=c++17", "-Wall", "-Wextra", "-Wpedantic",
                                          "-Werror"};

class Tvc2cppTest : public GeneratorTest {
protected:
    static ProgramResult tvc2cpp(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2CPP);
        return runProgram(args);
    }
    // Compiles (and with an output name, links) against the test contexts; the compiler's
    // complaints come back in err.
    ProgramResult compile(const std::string& compiler, std::vector<std::string> sources,
                          const std::vector<std::string>& extra = {}) const {
        std::vector<std::string> args{compiler};
        args.insert(args.end(), kStrict.begin(), kStrict.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-I", TAVREN_CPP_TEST_DATA, "-I", dir.string()});
        args.insert(args.end(), sources.begin(), sources.end());
        return runProgram(args);
    }
};

// Three levels with history on the outer one, a guard pair on one event handled a level up,
// a self-transition whose effect raises an event, final states inside a state and on the top
// level. Every action prints a line through ctx.log.
void saveTripChart(const std::filesystem::path& path) {
    TestChart chart;
    const auto log = [](const std::string& line) { return "ctx.log(\"" + line + "\");"; };
    const auto state = [&](const CRect& r, const std::string& name) {
        return chart.state(r, name, log("enter " + name), log("exit " + name));
    };
    auto* a = state({10, 10, 300, 200}, "A");
    a->setHistory(true);
    auto* aInitial = chart.initial({20, 20, 24, 24});
    auto* a1 = state({30, 40, 200, 150}, "A1");
    auto* a1Initial = chart.initial({40, 50, 44, 54});
    auto* a11 = state({50, 70, 100, 100}, "A11");
    auto* a12 = state({120, 70, 180, 100}, "A12");
    auto* a2 = state({220, 40, 290, 100}, "A2");
    auto* b = state({400, 10, 480, 60}, "B");
    auto* topInitial = chart.initial({350, 100, 354, 104});
    chart.connect(topInitial, NODE(2, 1), a, NODE(2, 1));
    chart.connect(aInitial, NODE(3, 1), a1, NODE(1, 1));
    chart.connect(a1Initial, NODE(3, 1), a11, NODE(1, 1));

    const auto edge = [&](State* from, State* to, const std::string& event,
                          const std::string& guard, const std::string& effect) {
        chart.label(chart.connect(from, NODE(3, 2), to, NODE(1, 2)), event, guard, effect);
    };
    edge(a11, a12, "next", "", log("A11 -next-> A12"));
    edge(a1, b, "go", "!ctx.flag", log("A1 -go-> B"));
    edge(a1, a2, "go", "ctx.flag", log("A1 -go-> A2"));
    edge(b, a, "back", "", log("B -back-> A"));
    edge(a2, a2, "again", "",
         log("A2 -again-> A2 begin") + "\r\nctx.raise();\r\n" + log("A2 -again-> A2 end"));
    edge(a2, b, "poke", "", log("A2 -poke-> B"));
    chart.properties().name = "Trip";
    chart.properties().ctxNameCPP = "TripContext";
    chart.properties().ctxFileCPP = "trip_context.h";
    chart.save(path);
}

// Final states need the model's own classes: the chart above is written, read back with
// them added, and written again.
void addFinalStates(const std::filesystem::path& path) {
    FakePlatform fake;
    LayoutMgr view;
    {
        std::ifstream in(path, std::ios::binary);
        view.read(in);
    }
    ModelMgr& mm = *view.getModelMgr();
    const auto find = [&](const std::string& name) -> GenericState* {
        for (long id = 101; id < 200; ++id)
            if (auto* s = dynamic_cast<GenericState*>(mm.getShape(id)); s && s->getName() == name)
                return s;
        return nullptr;
    };
    const auto toFinal = [&](GenericState* from, const CRect& r, const std::string& event,
                             const std::string& effect) {
        auto* final = new FinalState(mm.getNewId(), &view, r);
        mm.addShape(final);
        const CPoint head = from->getAnchorPoint(NODE(2, 3));
        auto* t = new Transition(mm.getNewId(), &view, head, final->getAnchorPoint(NODE(4, 1)));
        t->setHeadNode(NODE(2, 3));
        t->setHeadStateId(from->getObjId());
        t->setTailNode(NODE(4, 1));
        t->setTailStateId(final->getObjId());
        mm.addShape(t);
        t->reCalculate(dynamic_cast<StartableState*>(from));
        t->reCalculate(dynamic_cast<EndableState*>(final));
        auto* m = new Mesg(mm.getNewId(), &view, CRect(300, 300, 330, 306), t);
        mm.addShape(m);
        m->getTextHandler()->setData(event, "", effect);
    };
    toFinal(find("A2"), {250, 150, 254, 154}, "done", "ctx.log(\"A2 -done-> final\");");
    toFinal(find("A"), {400, 150, 404, 154}, "quit", "ctx.log(\"A -quit-> final\");");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    view.write(out);
}

// Written by hand from the rules, not from the generator's output.
const std::vector<std::string> kTripTrace = {
    "> start",
    "enter A",
    "enter A1",
    "enter A11",
    "> next",
    "exit A11",
    "A11 -next-> A12",
    "enter A12",
    // A12 has no "go": A1 handles it; the longer guard "!ctx.flag" is tried first.
    "> go",
    "exit A12",
    "exit A1",
    "exit A",
    "A1 -go-> B",
    "enter B",
    // A remembers A1; A1 keeps no history, so its initial state counts.
    "> back",
    "exit B",
    "B -back-> A",
    "enter A",
    "enter A1",
    "enter A11",
    "> set flag",
    "> go",
    "exit A11",
    "exit A1",
    "A1 -go-> A2",
    "enter A2",
    // The raised event waits until the self-transition has completed.
    "> again",
    "exit A2",
    "A2 -again-> A2 begin",
    "A2 -again-> A2 end",
    "enter A2",
    "exit A2",
    "exit A",
    "A2 -poke-> B",
    "enter B",
    "> next", // unhandled in B: nothing runs
    "> back",
    "exit B",
    "B -back-> A",
    "enter A",
    "enter A2",
    // A final state inside A leaves A the innermost active state.
    "> done",
    "exit A2",
    "A2 -done-> final",
    "> back",
    "> quit",
    "exit A",
    "A -quit-> final",
    "> next", // finished: ignored
    "finished 1",
};

} // namespace

TEST_F(Tvc2cppTest, TheExamplesCompileWithoutWarningsWithGccAndClang) {
    std::vector<std::filesystem::path> models;
    for (const char* name : {"door.tvc", "traffic_light.tvc", "media_player.tvc", "history.tvc"})
        models.push_back(copyExample(name));
    std::filesystem::copy_file(TAVREN_PLAYER_CHART, dir / "player.tvc");
    models.push_back(dir / "player.tvc");
    for (const auto& model : models) {
        SCOPED_TRACE(model.filename().string());
        const std::string base = (dir / model.stem()).string();
        for (const bool trace : {false, true}) {
            const ProgramResult r = tvc2cpp(trace ? std::vector<std::string>{"-d", "-g", model}
                                                  : std::vector<std::string>{"-d", model});
            ASSERT_EQ(r.status, 0) << r.out;
            EXPECT_EQ(r.err, "");
            const ProgramResult gcc = compile("g++", {"-c", base + "TN.cpp", "-o", base + ".o"});
            EXPECT_EQ(gcc.status, 0) << (trace ? "-g\n" : "") << gcc.err;
        }
        const ProgramResult clang = compile("clang++", {"-c", base + "TN.cpp", "-o", base + ".o"});
        EXPECT_EQ(clang.status, 0) << clang.err;
    }
}

TEST_F(Tvc2cppTest, TheGeneratedMachineFollowsTheSemanticsLineByLine) {
    saveTripChart(dir / "trip.tvc");
    addFinalStates(dir / "trip.tvc");
    const std::string main = std::string(TAVREN_CPP_TEST_DATA) + "/trip_main.cpp";

    ASSERT_EQ(tvc2cpp({"-d", (dir / "trip.tvc").string()}).status, 0);
    const std::string plain = slurp(dir / "tripTN.cpp");
    EXPECT_EQ(plain.find("trace_"), std::string::npos) << "no trace code without -g";
    const auto exe = (dir / "trip").string();
    const ProgramResult built = compile("g++", {main, (dir / "tripTN.cpp").string(), "-o", exe});
    ASSERT_EQ(built.status, 0) << built.err;
    const ProgramResult run = runProgram({exe});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(splitLines(run.out), kTripTrace);

    // With -g the trace hook sees the same run; the actions' lines stay exactly the same.
    ASSERT_EQ(tvc2cpp({"-d", "-g", (dir / "trip.tvc").string()}).status, 0);
    const ProgramResult tracedBuild =
        compile("g++", {"-DTRIP_TRACE", main, (dir / "tripTN.cpp").string(), "-o", exe});
    ASSERT_EQ(tracedBuild.status, 0) << tracedBuild.err;
    const ProgramResult traced = runProgram({exe});
    std::vector<std::string> actions;
    std::vector<std::string> hook;
    for (const std::string& line : splitLines(traced.out))
        (line.rfind("# ", 0) == 0 ? hook : actions).push_back(line);
    EXPECT_EQ(actions, kTripTrace);
    for (const char* expected :
         {"# enter A11_A1", "# exit A_Trip", "# A1_A -go-> B_Trip", "# A2_A -done-> final",
          "# ignored: next", "# finished", "# ignored (finished): next"})
        EXPECT_NE(std::find(hook.begin(), hook.end(), expected), hook.end()) << expected;
}

TEST_F(Tvc2cppTest, AwkwardNamesBecomeDistinctIdentifiers) {
    TestChart chart;
    auto* first = chart.state({10, 10, 60, 40}, "1st stop");
    auto* second = chart.state({100, 10, 160, 40}, "a-b");
    auto* twin = chart.state({200, 10, 260, 40}, "a_b");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), first, NODE(3, 1));
    for (const char* event : {"start", "delete", "go on", "isFinished", "ctx"})
        chart.label(chart.connect(first, NODE(2, 2), second, NODE(4, 2)), event, "ctx.ok()");
    chart.label(chart.connect(second, NODE(2, 2), twin, NODE(4, 2)), "A-B");
    chart.properties().name = "My chart";
    chart.properties().ctxNameCPP = "OddContext";
    chart.properties().ctxFileCPP = "odd_context.h";
    chart.save(dir / "odd.tvc");
    std::ofstream(dir / "odd_context.h")
        << "struct OddContext { bool ok() const { return true; } };\n";

    const ProgramResult gen = tvc2cpp({"-d", "-g", (dir / "odd.tvc").string()});
    ASSERT_EQ(gen.status, 0) << gen.out;
    const std::string header = slurp(dir / "oddTN.h");
    for (const char* declaration :
         {"class My_chartTN {", "void start_();", "void delete_();", "void go_on();",
          "void isFinished_();", "void ctx_2();", "void A_B();",
          "n1st_stop_My_chart,", "a_b_My_chart,", "a_b_My_chart_2,",
          "#define MY_CHARTTN_QUEUE_SIZE 16"})
        EXPECT_NE(header.find(declaration), std::string::npos) << declaration << "\n" << header;
    const ProgramResult gcc =
        compile("g++", {"-c", (dir / "oddTN.cpp").string(), "-o", (dir / "odd.o").string()});
    EXPECT_EQ(gcc.status, 0) << gcc.err;

    // The same chart gives the same bytes.
    const std::string source = slurp(dir / "oddTN.cpp");
    ASSERT_EQ(tvc2cpp({"-d", "-g", (dir / "odd.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "oddTN.h"), header);
    EXPECT_EQ(slurp(dir / "oddTN.cpp"), source);
}

TEST_F(Tvc2cppTest, AChartWithoutTopLevelInitialStateFailsAndLeavesNoFile) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    auto* b = chart.state({100, 10, 140, 40}, "B");
    chart.label(chart.connect(a, NODE(2, 2), b, NODE(4, 2)), "go");
    chart.properties().name = "Loose";
    chart.save(dir / "loose.tvc");

    const ProgramResult r = tvc2cpp({"-d", (dir / "loose.tvc").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> expected = {
        "Reading model file...",
        "Analysing model...",
        "Analysing State A",
        "Analysing State B",
        "Checking for model constraints...",
        "Parsing...",
        "Parsing transition from A to B...",
        "Generating code...",
        "FAILURE:",
        "Error : The chart has no initial state at its top level.",
    };
    EXPECT_EQ(splitLines(r.out), expected);
    EXPECT_EQ(files(), std::set<std::string>{"loose.tvc"});

    const ProgramResult help = tvc2cpp({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: tvc2cpp [-d] [-g] MODEL\n", 0), 0u) << help.out;
}
