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
}

// Each chart: the rectangles of states (named) and initial states (unnamed), in list order.
struct Placed {
    std::string name;
    CRect rect;
};

TEST_F(CodegenTest, PlacementFailures) {
    const CRect a{10, 10, 50, 50};
    const std::pair<std::vector<Placed>, std::string> cases[] = {
        {{{"A", a}, {"B", a}}, "B completely overlaps A"},
        {{{"Inner", {20, 20, 30, 30}}, {"Outer", a}}, "Outer completely overlaps Inner"},
        {{{"A", a}, {"B", {40, 40, 80, 80}}}, "B partially overlaps A"},
        {{{"Wide", {10, 10, 20000, 50}}}, "Wide partially overlaps "}, // the root has no name yet
        {{{"A", a}, {"", {48, 20, 52, 24}}}, "dot partially overlaps A"},
        {{{"A", a}, {"", {12, 12, 16, 16}}, {"", {40, 40, 44, 44}}},
         "A contains multiple initial states."},
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
        const std::string thrown = thrownBy([&] { gen.analyse(); });
        EXPECT_TRUE(thrown == message || thrown == "Error in Model: " + message) << thrown;
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
