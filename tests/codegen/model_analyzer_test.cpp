#include "tests/codegen/chart_builder.h"

#include <sstream>

namespace {

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
    EXPECT_EQ(progressLines(),
              (std::vector<std::string>{"Analysing State Outer", "Analysing State Left",
                                        "Analysing State Right", "Analysing State Deep",
                                        "Analysing State Top", "Analysing State init",
                                        "Checking for model constraints..."}));

    TestGenerator topInitial(path("t.tvc"));
    topInitial.initial(101, {5, 5, 9, 9});
    topInitial.state(102, {20, 20, 50, 50}, "A");
    topInitial.transition(201, 101, 102);
    EXPECT_FALSE(topInitial.analyse()->isRoot());
}

// Each chart: the rectangles of states (named) and initial states (unnamed), in list order.
struct Placed {
    std::string name;
    CRect rect;
};
std::string placementFailure(const std::string& file, const std::vector<Placed>& shapes) {
    TestGenerator gen(file);
    long id = 101;
    for (const Placed& p : shapes)
        if (p.name.empty())
            gen.initial(id++, p.rect, "dot");
        else
            gen.state(id++, p.rect, p.name);
    return thrownBy([&] { gen.analyse(); });
}

TEST_F(CodegenTest, PlacementFailures) {
    const CRect a{10, 10, 50, 50};
    EXPECT_EQ(placementFailure(path("1"), {{"A", a}, {"B", a}}),
              "Error in Model: B completely overlaps A");
    EXPECT_EQ(placementFailure(path("2"), {{"Inner", {20, 20, 30, 30}}, {"Outer", a}}),
              "Error in Model: Outer completely overlaps Inner");
    EXPECT_EQ(placementFailure(path("3"), {{"A", a}, {"B", {40, 40, 80, 80}}}),
              "Error in Model: B partially overlaps A");
    // The root has no name yet.
    EXPECT_EQ(placementFailure(path("4"), {{"Wide", {10, 10, 20000, 50}}}),
              "Error in Model: Wide partially overlaps ");
    EXPECT_EQ(placementFailure(path("5"), {{"A", a}, {"", {48, 20, 52, 24}}}),
              "Error in Model: dot partially overlaps A");
    EXPECT_EQ(
        placementFailure(path("6"), {{"A", a}, {"", {12, 12, 16, 16}}, {"", {40, 40, 44, 44}}}),
        "Error in Model: A contains multiple initial states.");
    EXPECT_EQ(placementFailure(path("7"), {{"Far", {20000, 20000, 20010, 20010}}}),
              "Internal Logic Error");
    EXPECT_EQ(placementFailure(path("8"), {{"", {20000, 20000, 20004, 20004}}}),
              "Internal Logic Error");
}

TEST_F(CodegenTest, InitialStatesMustLeadToExactlyOneDirectSubState) {
    const auto check = [&](auto wire) {
        TestGenerator g(path("m.tvc"));
        g.state(101, {10, 10, 100, 100}, "Outer");
        g.state(102, {20, 20, 60, 60}, "Mid");
        g.state(103, {30, 30, 40, 40}, "Deep");
        g.initial(104, {80, 80, 84, 84});
        g.finalState(105, {70, 80, 74, 84});
        wire(g);
        return thrownBy([&] { g.analyse(); });
    };
    EXPECT_EQ(check([](TestGenerator&) {}), "Initail State without transition for state Outer");
    EXPECT_EQ(check([](TestGenerator& g) { g.transition(201, 104, 0); }),
              "Initial state with hanging transition for state Outer");
    EXPECT_EQ(check([](TestGenerator& g) { g.transition(201, 104, 103); }),
              "Initial state for Outer invalid");
    EXPECT_EQ(check([](TestGenerator& g) { g.transition(201, 104, 105); }),
              "Initial state for Outer invalid");
    EXPECT_EQ(check([](TestGenerator& g) {
                  g.transition(201, 104, 102);
                  g.transition(202, 104, 102);
              }),
              "Initail State with multiple transition for state Outer");
    EXPECT_EQ(check([](TestGenerator& g) { g.transition(201, 104, 102); }), "<nothing thrown>");
}

TEST_F(CodegenTest, OrphanTransitionsFailInListOrder) {
    const std::string orphan = "Orphan Transition.. Either head / tail / both are not attached";
    TestGenerator gen(path("m.tvc"));
    gen.state(101, {10, 10, 50, 50}, "A");
    gen.transition(201, 101, 0);
    gen.initial(102, {20, 20, 24, 24}); // fails too, but comes later
    EXPECT_EQ(thrownBy([&] { gen.analyse(); }), orphan);

    TestGenerator bothFree(path("n.tvc"));
    bothFree.state(101, {10, 10, 50, 50}, "A");
    bothFree.transition(201, 0, 0);
    EXPECT_EQ(thrownBy([&] { bothFree.analyse(); }), orphan);
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
