#include "tests/codegen/chart_builder.h"

#include <list>

namespace {

using Strings = std::list<std::string>;

// Idle holds Open and Closed and starts in Closed; Done is a final state. A note and a label sit
// between the states, the label before its transition.
TEST_F(CodegenTest, GenerateRunsEveryStepInOrderAndRecordsTheChart) {
    writeFile("door.tvc", slurp(TAVREN_TEST_DATA "/codegen_door.tvc"));
    TestGenerator run(path("door.tvc"));
    ASSERT_EQ(thrownBy([&] { run.generate(recordProgress); }), "<nothing thrown>");
    EXPECT_TRUE(run.generated);
    std::string kinds; // notes are dropped, the rest keeps file order
    for (Shape* s : run.getShapes())
        kinds += s->getType() + " ";
    EXPECT_EQ(kinds, "GenericState GenericState Mesg GenericState InitialState FinalState "
                     "Transition Transition Transition Mesg Transition Mesg Transition ");
    EXPECT_NE(dynamic_cast<MesgEx*>(run.getShapes()[2]), nullptr);
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
    EXPECT_EQ(open.stateId * 10 + open.initialStateId, 1019);
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

} // namespace
