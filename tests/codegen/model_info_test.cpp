#include "tests/codegen/chart_builder.h"

#include <algorithm>
#include <list>

namespace {

using Strings = std::list<std::string>;

const StateInfo& nth(std::size_t i) {
    return *std::next(ModelInfo::getInstance()->stateInfos.begin(), static_cast<long>(i));
}

// Door: Idle holds Open and Closed and starts in Closed; Done is a final state.
class DoorRecordsTest : public CodegenTest {
protected:
    DoorRecordsTest() {
        idle = gen.state(101, {10, 10, 100, 100}, "Idle");
        gen.state(102, {20, 20, 40, 40}, "Open");
        gen.state(103, {50, 20, 70, 40}, "Closed");
        gen.initial(104, {20, 60, 24, 64});
        gen.finalState(105, {120, 10, 124, 14});
        gen.transition(201, 104, 103);
        gen.label(301, gen.transition(202, 102, 103), " push ");
        gen.label(302, gen.transition(203, 103, 102), "push", "  locked ", " x();\r\ny(); ");
        gen.label(303, gen.transition(204, 101, 105), "close");
        gen.transition(205, 101, 102); // no label
        idle->setHistory(true);
        idle->getTextHandler()->setData("in();", "out();");
        gen.properties.ctxNameSpaceCPP = "door";
    }

    TestGenerator gen{path("door.tvc")};
    GenericStateEx* idle = nullptr;
};

TEST_F(DoorRecordsTest, StateRecords) {
    gen.fill();
    EXPECT_EQ(info().rootClassName, "DoorTN");
    EXPECT_EQ(info().baseStateClassName, "DoorBaseState");
    EXPECT_EQ(info().ctxFullNameCPP, "door::Context");
    EXPECT_EQ(info().topStateClassNames, Strings{"Idle_DoorTN"});
    ASSERT_EQ(info().stateInfos.size(), 3u);

    const StateInfo& idleInfo = nth(0);
    EXPECT_EQ(idleInfo.className, "Idle_DoorTN");
    EXPECT_EQ(idleInfo.parentClassName, "DoorTN");
    EXPECT_EQ(idleInfo.nesting, 1);
    // The initial target leads although Open was adopted first.
    EXPECT_EQ(idleInfo.subStateClassNames, (Strings{"Closed_Idle", "Open_Idle"}));
    EXPECT_TRUE(idleInfo.history);
    EXPECT_EQ(idleInfo.entryExit.onEntry + idleInfo.entryExit.onExit, "in();out();");
    ASSERT_EQ(idleInfo.transitions.size(), 1u); // the unlabelled one gives nothing
    EXPECT_EQ(idleInfo.transitions.front().targetClassName, "FinalState");
    EXPECT_EQ(idleInfo.transitions.front().targetId, 105);

    const StateInfo& open = nth(1);
    EXPECT_EQ(open.className, "Open_Idle");
    EXPECT_EQ(open.parentClassName, "Idle_DoorTN");
    EXPECT_EQ(open.nesting, 0);
    EXPECT_FALSE(open.history);
    ASSERT_EQ(open.transitions.size(), 1u);
    EXPECT_EQ(open.transitions.front().event, "push");
    EXPECT_EQ(open.transitions.front().targetClassName, "Closed_Idle");

    const MesgInfo& pull = nth(2).transitions.front();
    EXPECT_EQ(pull.guard, "  locked ");
    EXPECT_EQ(pull.effect, " x();\r\ny(); ");

    EXPECT_EQ(info().messageNames, (Strings{"close", "push"}));
    EXPECT_EQ(std::count_if(progressLines().begin(), progressLines().end(),
                            [](const std::string& l) { return l.starts_with("Parsing "); }),
              3);
    EXPECT_EQ(progressLines().back(), "Parsing transition from Closed to Open...");
}

TEST_F(DoorRecordsTest, StateTree) {
    gen.fill();
    ASSERT_EQ(info().rootNode.children.size(), 1u);
    const StateNode& idleNode = *info().rootNode.children.front();
    EXPECT_EQ(idleNode.stateId, 101);
    EXPECT_EQ(idleNode.initialTargetClassName, "Closed_Idle");
    EXPECT_EQ(idleNode.initialStateId, 104);
    ASSERT_EQ(idleNode.children.size(), 2u);
    EXPECT_EQ(idleNode.children.front()->stateId, 102);
    EXPECT_EQ(idleNode.children.front()->initialStateId, -1);
    EXPECT_TRUE(idleNode.children.front()->initialTargetClassName.empty());

    StateNode copy = info().rootNode; // owns a tree of its own
    copy.children.front()->children.clear();
    EXPECT_EQ(idleNode.children.size(), 2u);
}

// A second run in the same process starts from empty records.
TEST_F(DoorRecordsTest, SecondRunReplacesTheRecords) {
    gen.fill();
    TestGenerator second(path("lamp.tvc"));
    second.properties.name = "Lamp";
    second.state(101, {10, 10, 100, 100}, "On");
    second.state(102, {20, 20, 30, 30}, "Dim");
    second.fill();
    EXPECT_EQ(info().topStateClassNames, Strings{"On_LampTN"});
    EXPECT_EQ(info().ctxFullNameCPP, "Context");
    ASSERT_EQ(info().stateInfos.size(), 2u);
    EXPECT_EQ(nth(0).nesting, 2);
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
    ASSERT_EQ(info().stateInfos.size(), 3u);
    EXPECT_EQ(nth(0).parentClassName, "DoorTN");
    EXPECT_EQ(nth(0).subStateClassNames, (Strings{"B_Door", "A_Door"}));
    EXPECT_EQ(nth(1).parentClassName, "Door_DoorTN");
    EXPECT_EQ(info().rootNode.children.front()->initialStateId, 101);
}

TEST(MesgExTest, EventIsTrimmedOfBlanksOnly) {
    MesgEx m;
    m.getTextHandler()->setData("  go \t ", " g ", "");
    EXPECT_EQ(m.getEvent(), "go \t");
    EXPECT_EQ(m.getGuard(), " g ");
    m.getTextHandler()->setData("   ", "", "");
    EXPECT_EQ(m.getEvent(), "   ");
}

} // namespace
