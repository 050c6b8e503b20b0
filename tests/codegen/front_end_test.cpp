// The front end from a model file or hand-built shapes to the records every generator writes
// from: reading, placement and nesting, the model's constraints and the state records.

#include "tests/codegen/chart_builder.h"

#include <list>
#include <sstream>

namespace {

using States = std::vector<GenericStateEx*>;
using Strings = std::list<std::string>;

const std::string kDoor = slurp(TAVREN_TEST_DATA "/codegen_door.tvc");

TEST_F(CodegenTest, GeneratedFileNamesAndTheHeaderFile) {
    std::filesystem::create_directories(dir / "charts.d");
    writeFile("chartsTN.h", "old contents");
    const auto fillFor = [&](const std::string& model, const std::string& append) {
        TestGenerator gen(path(model));
        gen.headerAppend = append;
        gen.state(101, {10, 10, 20, 20}, "A");
        gen.fill();
    };
    fillFor("charts.d/door", "TN.h"); // the only dot is in the folder name
    EXPECT_EQ(info().headerFile + info().sourceFile, path("chartsTN.h") + path("chartsTN.cpp"));
    EXPECT_EQ(info().headerFileName, "chartsTN.h");
    EXPECT_EQ(slurp(path("chartsTN.h")), ""); // created empty

    fillFor("plain", "dummy");
    EXPECT_EQ(info().headerFile + info().sourceFile, path("plaindummy") + path("plainTN.cpp"));
    EXPECT_TRUE(info().headerFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(path("plaindummy")));

    EXPECT_EQ(thrownBy([&] { fillFor("missing/door.tvc", "TN.h"); }),
              "Unable to open " + path("missing/doorTN.h") + " for writing.");
}

TEST_F(CodegenTest, DeletingAShapeUnlinksItAndATransitionTakesItsLabel) {
    TestGenerator gen(path("door.tvc"));
    auto* a = gen.state(101, {10, 10, 20, 20}, "A");
    auto* b = gen.state(102, {30, 10, 40, 20}, "B");
    TransitionEx* t = gen.transition(201, 101, 102);
    MesgEx* m = gen.label(301, t, "go");
    gen.construct();
    EXPECT_EQ(a->getHeads(), std::vector<Transition*>{t});
    delete a;
    EXPECT_EQ(gen.getShapes(), (std::vector<Shape*>{b, t, m}));
    delete t;
    EXPECT_EQ(gen.getShapes(), std::vector<Shape*>{b});
    EXPECT_EQ(gen.getShape(301), nullptr);
}

TEST_F(CodegenTest, DumpErrorPrintsAndWritesTheFailure) {
    TestGenerator gen(path("door.tvc"));
    ::testing::internal::CaptureStdout();
    gen.dumpError(path("error.txt"), "Nil Model");
    gen.dumpError(path("no/such/error.txt"), "x"); // skipped silently
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "FAILURE:\nError : Nil Model\nFAILURE:\nError : x\n");
    EXPECT_EQ(slurp(path("error.txt")), "FAILURE:\nError : Nil Model\n");
}

std::string generateFailure(const std::string& file) {
    TestGenerator gen(file);
    return thrownBy([&] { gen.generate(recordProgress); });
}

TEST_F(CodegenTest, ReadingFailures) {
    EXPECT_EQ(generateFailure(path("absent.tvc")), "Unable to open file : " + path("absent.tvc"));
    EXPECT_EQ(progressLines(), std::vector<std::string>{"Reading model file..."});
    const std::string data = kDoor.substr(0, kDoor.find("BEGIN GenericState"));
    const std::string end = kDoor.substr(kDoor.find("END DATA"));
    const auto at = kDoor.find("BEGIN Note");
    const std::string note = kDoor.substr(at, kDoor.find("BEGIN Mesg") - at);
    const std::pair<std::string, std::string> cases[] = {
        {"9999 4 1\n6\nBEGIN NOTDATA\nDATA\n", "Invalid File : " + path("bad.tvc")},
        {"9998 4 1\n6\nBEGIN DATA\nEND DATA\n", "Not a valid Tavren model file"},
        {data + end, "Nil Model"},
        {data + note + end, "Nil Model"},
        // Shapes read before the failure are freed.
        {kDoor.substr(0, kDoor.find("END DATA\n") + 9) + "Door\n", "Invalid or Corrupt File"},
    };
    for (const auto& [text, message] : cases) {
        writeFile("bad.tvc", text);
        EXPECT_EQ(generateFailure(path("bad.tvc")), message) << text;
    }
}

// Idle holds Open and Closed and starts in Closed; Done is a final state. A note and a label sit
// between the states, the label before its transition.
TEST_F(CodegenTest, GenerateRunsEveryStepInOrderAndRecordsTheChart) {
    writeFile("door.tvc", kDoor);
    TestGenerator run(path("door.tvc"));
    ASSERT_EQ(thrownBy([&] { run.generate(recordProgress); }), "<nothing thrown>");
    EXPECT_TRUE(run.generated);
    std::string kinds; // notes are dropped, the rest keeps file order
    for (Shape* s : run.getShapes())
        kinds += s->getType() + " ";
    EXPECT_EQ(kinds, "GenericState GenericState Mesg GenericState InitialState FinalState "
                     "Transition Transition Transition Mesg Transition Mesg Transition ");
    EXPECT_EQ(
        progressLines(),
        (std::vector<std::string>{
            "Reading model file...", "Analysing model...", "Analysing State Idle",
            "Analysing State Open", "Analysing State Closed", "Analysing State init",
            "Checking for model constraints...", "Parsing...",
            "Parsing transition from Idle to Done...", "Parsing transition from Open to Closed...",
            "Parsing transition from Closed to Open...", "Generating code..."}));
    EXPECT_EQ(info().author, "Ann");
    EXPECT_EQ(info().rootClassName + " " + info().baseStateClassName + " " + info().ctxFullNameCPP,
              "DoorTN DoorBaseState Context");
    EXPECT_EQ(info().topStateClassNames, Strings{"Idle_DoorTN"});
    // The initial target leads although Open was adopted first; unlabelled transitions give
    // no record, blanks around an event go.
    EXPECT_EQ(stateRecords(),
              (Strings{"Idle_DoorTN < DoorTN 1 H {Closed_Idle,Open_Idle,} in();out(); "
                       "close[]/->FinalState#105",
                       "Open_Idle < Idle_DoorTN 0 {}  push[]/->Closed_Idle#103",
                       "Closed_Idle < Idle_DoorTN 0 {}  push[  locked ]/ x();\r\ny(); "
                       "->Open_Idle#102"}));
    EXPECT_EQ(info().messageNames, (Strings{"close", "push"}));

    ASSERT_EQ(info().rootNode.children.size(), 1u);
    const StateNode& idleNode = *info().rootNode.children.front();
    EXPECT_EQ(idleNode.stateId * 1000 + idleNode.initialStateId, 101104);
    EXPECT_EQ(idleNode.initialTargetClassName, "Closed_Idle");
    ASSERT_EQ(idleNode.children.size(), 2u);
    const StateNode& open = *idleNode.children.front();
    EXPECT_EQ(open.stateId * 10 + open.initialStateId, 1019); // 102, none
    EXPECT_TRUE(open.initialTargetClassName.empty());
    StateNode copy = info().rootNode; // owns a tree of its own
    copy.children.front()->children.clear();
    EXPECT_EQ(idleNode.children.size(), 2u);

    // A second run in the same process starts from empty records.
    TestGenerator second(path("lamp.tvc"));
    second.properties.name = "Lamp";
    second.properties.ctxNameSpaceCPP = "lamp";
    second.state(101, {10, 10, 100, 100}, "On");
    second.state(102, {20, 20, 30, 30}, "Dim");
    second.fill();
    EXPECT_EQ(info().topStateClassNames, Strings{"On_LampTN"});
    EXPECT_EQ(info().ctxFullNameCPP, "lamp::Context");
    EXPECT_EQ(stateRecords(),
              (Strings{"On_LampTN < LampTN 2 {Dim_On,} ", "Dim_On < On_LampTN 0 {} "}));
    EXPECT_TRUE(info().messageNames.empty());
    EXPECT_EQ(info().rootNode.children.size(), 1u);
}

TEST_F(CodegenTest, TopLevelInitialStateWrapsTheChart) {
    TestGenerator gen(path("door.tvc"));
    gen.initial(101, {5, 5, 9, 9});
    gen.state(102, {20, 20, 50, 50}, "A");
    gen.state(103, {60, 20, 90, 50}, "B");
    gen.transition(201, 101, 103);
    gen.fill();
    StateMachine* root = gen.getRootMachine();
    EXPECT_TRUE(root->isRoot());
    ASSERT_EQ(root->getSubStates().size(), 1u);
    EXPECT_EQ(root->getSubStates().front()->getName(), "Door");
    EXPECT_EQ(info().topStateClassNames, Strings{"Door_DoorTN"});
    EXPECT_EQ(stateRecords(),
              (Strings{"Door_DoorTN < DoorTN 1 {B_Door,A_Door,} ", "A_Door < Door_DoorTN 0 {} ",
                       "B_Door < Door_DoorTN 0 {} "}));
    EXPECT_EQ(info().rootNode.children.front()->initialStateId, 101);
}

TEST(MesgExTest, EventIsTrimmedOfBlanksOnly) {
    MesgEx m;
    m.getTextHandler()->setData("  go \t ", " g ", "");
    EXPECT_EQ(m.getEvent() + "|" + m.getGuard(), "go \t| g ");
    m.getTextHandler()->setData("   ", "", "");
    EXPECT_EQ(m.getEvent(), "   ");
}

using States = std::vector<GenericStateEx*>;

TEST_F(CodegenTest, NestingFollowsTheRectanglesInListOrder) {
    TestGenerator gen(path("m.tvc"));
    auto* outer = gen.state(101, {10, 10, 100, 100}, "Outer");
    auto* left = gen.state(102, {20, 20, 50, 50}, "Left");
    auto* right = gen.state(103, {50, 20, 80, 50}, "Right"); // shares an edge with Left
    auto* deep = gen.state(104, {55, 25, 60, 30}, "Deep");
    auto* top = gen.state(105, {200, 10, 300, 100}, "Top");
    auto* init = gen.initial(106, {25, 60, 29, 64});
    gen.transition(201, 106, 102);

    StateMachine* root = gen.analyse();
    EXPECT_TRUE(root->isRoot());
    EXPECT_EQ(root->getSubStates(), (States{outer, top}));
    EXPECT_EQ(outer->getSubStates(), (States{left, right}));
    EXPECT_EQ(deep->getParent(), right);
    EXPECT_EQ(outer->getInitialState(), init);
    EXPECT_EQ(init->getParent(), outer);
}

// Each chart: the rectangles of states (named) and initial states (unnamed), in list order.
struct Placed {
    std::string name;
    CRect rect;
};

TEST_F(CodegenTest, PlacementFailures) {
    const CRect a{10, 10, 50, 50};
    const std::string e = "Error in Model: ";
    const std::pair<std::vector<Placed>, std::string> cases[] = {
        {{{"A", a}, {"B", a}}, e + "B completely overlaps A"},
        {{{"Inner", {20, 20, 30, 30}}, {"Outer", a}}, e + "Outer completely overlaps Inner"},
        {{{"A", a}, {"B", {40, 40, 80, 80}}}, e + "B partially overlaps A"},
        {{{"Wide", {10, 10, 20000, 50}}}, e + "Wide partially overlaps "}, // the root: no name yet
        {{{"A", a}, {"", {48, 20, 52, 24}}}, e + "dot partially overlaps A"},
        {{{"A", a}, {"", {12, 12, 16, 16}}, {"", {40, 40, 44, 44}}},
         e + "A contains multiple initial states."},
        {{{"Far", {20000, 20000, 20010, 20010}}}, "Internal Logic Error"},
        {{{"", {20000, 20000, 20004, 20004}}}, "Internal Logic Error"},
    };
    for (const auto& [shapes, message] : cases) {
        TestGenerator gen(path("m.tvc"));
        long id = 101;
        for (const Placed& p : shapes)
            if (p.name.empty())
                gen.initial(id++, p.rect, "dot");
            else
                gen.state(id++, p.rect, p.name);
        EXPECT_EQ(thrownBy([&] { gen.analyse(); }), message);
    }
}

// Initial states must lead to exactly one direct sub-state; transitions need both ends.
TEST_F(CodegenTest, InitialStatesAndTransitionEndsAreChecked) {
    const std::pair<std::vector<std::pair<long, long>>, std::string> cases[] = {
        {{}, "Initail State without transition for state Outer"},
        {{{104, 0}}, "Initial state with hanging transition for state Outer"},
        {{{104, 103}}, "Initial state for Outer invalid"},
        {{{104, 105}}, "Initial state for Outer invalid"},
        {{{104, 102}, {104, 102}}, "Initail State with multiple transition for state Outer"},
        {{{104, 102}}, "<nothing thrown>"},
        // Transitions fail in list order, here before the initial state's own failure.
        {{{101, 0}}, "Orphan Transition.. Either head / tail / both are not attached"},
        {{{0, 0}}, "Orphan Transition.. Either head / tail / both are not attached"},
    };
    for (const auto& [transitions, message] : cases) {
        TestGenerator g(path("m.tvc"));
        g.state(101, {10, 10, 100, 100}, "Outer");
        g.state(102, {20, 20, 60, 60}, "Mid");
        g.state(103, {30, 30, 40, 40}, "Deep");
        long id = 201;
        for (const auto& [from, to] : transitions) // those of the initial state after it
            if (from != 104)
                g.transition(id++, from, to);
        g.initial(104, {80, 80, 84, 84});
        g.finalState(105, {70, 80, 74, 84});
        for (const auto& [from, to] : transitions)
            if (from == 104)
                g.transition(id++, from, to);
        EXPECT_EQ(thrownBy([&] { g.analyse(); }), message);
    }
}

TEST_F(CodegenTest, InitialStateTargetAndTextBlock) {
    TestGenerator gen(path("m.tvc"));
    gen.state(101, {10, 10, 100, 100}, "Outer");
    gen.state(102, {20, 20, 60, 60}, "Inner")->setClassName("Inner_Outer");
    auto* init = gen.initial(103, {80, 80, 84, 84});
    auto* lone = gen.initial(104, {200, 200, 204, 204}, "lone");
    auto* toFinal = gen.initial(105, {300, 300, 304, 304});
    gen.finalState(106, {400, 400, 404, 404});
    gen.transition(201, 103, 102);
    gen.transition(202, 105, 106);
    gen.construct();

    EXPECT_EQ(init->getInitialStateClassName(), "Inner_Outer");
    EXPECT_EQ(thrownBy([&] { lone->getInitialStateClassName(); }),
              "No Transition for intitial state lone");
    EXPECT_EQ(thrownBy([&] { toFinal->getInitialStateClassName(); }),
              "Invalid Model. Initial state should not be FinalState");
    std::ostringstream out;
    init->generate_sm(out, 1, "Outer");
    EXPECT_EQ(out.str(), "\tInitialState : Outer\n\t{\n\t\tInner\n\t}\n\n");
    std::ostringstream cut;
    EXPECT_EQ(thrownBy([&] { lone->generate_sm(cut, 0, "x"); }), " No intitial state");
    EXPECT_EQ(cut.str(), "InitialState : x\n{\n\t");
}

} // namespace
