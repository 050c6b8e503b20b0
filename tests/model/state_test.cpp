#include "model/config.h"
#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/res_strings.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

namespace {

using Nodes = std::map<NODE, CPoint>;

// A note line stand-in that runs a check whenever the shape it hangs on changes.
struct ProbeConnector final : Connector {
    std::function<void()> onRecalculate;
    void reCalculate(Connectable*) override { onRecalculate(); }
    void detach(Connectable*) override {}
    bool isUnderCollection() override { return false; }
};

// The call recorded just before the first one that starts with prefix.
std::string before(const RecordingDC& dc, const std::string& prefix) {
    for (std::size_t i = 1; i < dc.calls.size(); ++i)
        if (dc.calls[i].rfind(prefix, 0) == 0)
            return dc.calls[i - 1];
    return {};
}

} // namespace

class StateTest : public ChartTest {
protected:
    // A transition leaving or entering the state, joined the way the view joins it.
    Transition* headAt(StartableState* state, const NODE& node) {
        Transition* t = fresh();
        t->setStartState(state), t->setHeadNode(node), state->attachTransitionHead(t);
        t->reCalculate(state);
        return t;
    }
    Transition* tailAt(EndableState* state, const NODE& node) {
        Transition* t = fresh();
        t->setEndState(state), t->setTailNode(node), state->attachTransitionTail(t);
        t->reCalculate(state);
        return t;
    }
    Transition* fresh() { return add(new Transition(newId(), &view, {60, 60}, {60, 70})); }
    GenericState* state(const CRect& r, const char* name = "S") {
        return add(new GenericState(newId(), &view, r, name));
    }
};

TEST_F(StateTest, AnchorsInTheEditorOnly) {
    GenericState* wide = state({0, 0, 20, 8});
    GenericState* narrow = state({4, 4, 7, 12});
    auto* initial = add(new InitialState(newId(), &view, {2, 2, 6, 6}));
    EXPECT_EQ(GenericState::getDefaultName(), config::kInteractive ? "Idle" : "State");
    if constexpr (!config::kInteractive) {
        EXPECT_TRUE(wide->getNodes().empty() && initial->getNodes().empty());
        return;
    }
    // midX 10, qW 5; midY 4, qH 2; clockwise on every side.
    const Nodes expected{
        {NODE(1, 1), {5, 0}},  {NODE(2, 1), {10, 0}}, {NODE(3, 1), {15, 0}}, {NODE(1, 2), {20, 2}},
        {NODE(2, 2), {20, 4}}, {NODE(3, 2), {20, 6}}, {NODE(1, 3), {15, 8}}, {NODE(2, 3), {10, 8}},
        {NODE(3, 3), {5, 8}},  {NODE(1, 4), {0, 6}},  {NODE(2, 4), {0, 4}},  {NODE(3, 4), {0, 2}},
    };
    EXPECT_EQ(wide->getNodes(), expected);
    // Three units wide: the quarter is 0 and the top anchors coincide.
    EXPECT_EQ(narrow->getNodes().at(NODE(1, 1)), CPoint(5, 4));
    EXPECT_EQ(narrow->getNodes().at(NODE(3, 1)), CPoint(5, 4));
    const Nodes sides{
        {NODE(1, 1), {4, 2}},
        {NODE(1, 2), {6, 4}},
        {NODE(1, 3), {4, 6}},
        {NODE(1, 4), {2, 4}},
    };
    EXPECT_EQ(initial->getNodes(), sides);
}

TEST_F(StateTest, MovingAStateMovesAnchorsThenNoteLinesThenTransitions) {
    GenericState* s = state({10, 10, 30, 26});
    Transition* out = headAt(s, NODE(2, 3)); // bottom middle
    Transition* in = tailAt(s, NODE(2, 1));  // top middle
    auto* initial = add(new InitialState(newId(), &view, {40, 10, 44, 14}));
    Transition* fromInitial = headAt(initial, NODE(1, 3));
    const CPoint headBefore = out->getHeadLink()->getHeadPt();
    const CPoint tailBefore = in->getTailLink()->getTailPt();
    ProbeConnector line;
    int calls = 0;
    line.onRecalculate = [&] {
        ++calls;
        if constexpr (config::kInteractive) {
            EXPECT_EQ(s->getAnchorPoint(NODE(2, 3)), CPoint(25, 31)); // anchors already moved
        }
        EXPECT_EQ(out->getHeadLink()->getHeadPt(), headBefore); // transitions not yet
        EXPECT_EQ(in->getTailLink()->getTailPt(), tailBefore);
    };
    s->attach(&line);
    s->setRect({15, 15, 35, 31});
    s->detach(&line);
    initial->setRect({50, 20, 54, 24});
    EXPECT_EQ(calls, 1);
    if constexpr (config::kInteractive) {
        EXPECT_EQ(headBefore, CPoint(20, 26));
        EXPECT_EQ(std::tuple(out->getHeadLink()->getHeadPt(), in->getTailLink()->getTailPt(),
                             fromInitial->getHeadLink()->getHeadPt()),
                  std::tuple(CPoint(25, 31), CPoint(25, 15), CPoint(52, 24)));
    }
}

TEST_F(StateTest, DetachingAndDestroyingLeaveTransitionsWithFreeEnds) {
    GenericState* a = state({10, 10, 30, 26});
    GenericState* b = state({50, 10, 70, 26});
    Transition* t = headAt(a, NODE(2, 3));
    Transition* in = tailAt(a, NODE(2, 1));
    // Not b's: t is not even told (a told transition refreshes its browser entry).
    view.refreshed.clear();
    b->detachTransitionHead(t);
    b->detachTransitionTail(t);
    EXPECT_EQ(t->getHeadState(), a);
    EXPECT_TRUE(view.refreshed.empty());
    a->detachTransitionHead(t);
    EXPECT_TRUE(a->getHeads().empty());
    EXPECT_EQ(t->getHeadState(), nullptr);
    const CPoint end = in->getTailLink()->getTailPt();
    delete a;
    EXPECT_EQ(in->getTailState(), nullptr);
    EXPECT_EQ(in->getTailLink()->getTailPt(), end); // the end stays where it was
}

TEST_F(StateTest, DeleteCommandAsksFirst) {
    GenericState* s = state({10, 10, 30, 26});
    Transition* out = headAt(s, NODE(2, 3));
    s->onContextMenuAction(cmd::DeleteState); // No is the default answer
    ASSERT_EQ(fake.messages.shown, std::vector<std::string>{LoadResString(IDS_CONFIRM_DELETE)});
    EXPECT_EQ(fake.messages.icons.front(), MsgIcon::Question);
    EXPECT_TRUE(listed(s));
    fake.messages.answers = {MsgResult::Yes, MsgResult::Yes};
    s->onContextMenuAction(cmd::DeleteState);
    EXPECT_EQ(out->getHeadState(), nullptr);
    add(new FinalState(newId(), &view, {40, 40, 44, 44}))->onContextMenuAction(cmd::DeleteState);
    EXPECT_EQ(view.getModelMgr()->getShapeList(), std::vector<Shape*>{out});
}

TEST_F(StateTest, PropertiesAndEntryExitDialogs) {
    GenericState* s = state({10, 10, 30, 26}, "Busy");
    fake.dialogs.onState = [](StateProperties& p) {
        p.name = "Changed";
        return false;
    };
    s->onContextMenuAction(cmd::Properties);
    EXPECT_EQ(s->getName(), "Busy"); // cancelled
    EXPECT_TRUE(view.refreshed.empty());
    fake.dialogs.onState = [](StateProperties& p) {
        EXPECT_EQ(p.name, "Busy");
        p = {"", true, 0x222222, true};
        return true;
    };
    s->onContextMenuAction(cmd::Properties);
    EXPECT_EQ(std::tuple(s->getName(), s->hasHistory(), s->isTransparent(), s->getColor()),
              std::tuple("State", true, true, 0x222222u));
    EXPECT_EQ(view.refreshed, std::vector<Shape*>{s});
    fake.dialogs.onEntryExit = [](std::string& entry, std::string&) {
        entry = "on();";
        return true;
    };
    s->onLButtonDoubleClick(0, {});
    s->onContextMenuAction(cmd::EditEntryExit);
    if constexpr (config::kInteractive) {
        EXPECT_EQ(
            fake.dialogs.titles,
            (std::vector<std::string>{"State Properties", "State Properties", "State", "State"}));
        EXPECT_EQ(s->getTextHandler()->getEntry(), "on();");
    }
}

TEST_F(StateTest, Drawing) {
    GenericState* s = state({1, 1, 21, 11}, "Idle");
    s->getTextHandler()->setData("on();", "");
    RecordingDC dc, dot, eye;
    s->draw(&dc);
    add(new InitialState(newId(), &view, {1, 1, 5, 5}))->draw(&dot);
    add(new FinalState(newId(), &view, {1, 1, 5, 5}))->draw(&eye);
    if constexpr (!config::kInteractive) {
        EXPECT_TRUE(dc.calls.empty() && dot.calls.empty() && eye.calls.empty());
        return;
    }
    // Client pixels (6, 6, 126, 66), less 2 at right and bottom; corners of pFu(5). The
    // separator 3 pixels below the 10-pixel name; entry and exit below it.
    EXPECT_EQ(dc.matching("RoundRect"), std::vector<std::string>{"RoundRect 6 6 124 64 30 30"});
    EXPECT_EQ(before(dc, "RoundRect"), "Brush Solid 0x123456");
    EXPECT_EQ(before(dc, "MeasureText Idle"), "TextColor 0x000080");
    EXPECT_EQ(dc.count("DrawText 9 9 121 61 Idle"), 1);
    const auto strokes = dc.matching("MoveTo"), lines = dc.matching("LineTo");
    EXPECT_EQ(strokes.size() + lines.size(), 2u);
    EXPECT_EQ(strokes.at(0) + lines.at(0), "MoveTo 9 22LineTo 121 22");
    EXPECT_EQ(dc.count("DrawText 12 22 118 58 [Entry]\r\non();\r\n[Exit]"), 1);
    EXPECT_EQ(dc.count("Ellipse"), 0);
    dc.clear();
    s->setHistory(true);
    s->setTransparent(true);
    s->getTextHandler()->setData("", "stop();");
    s->draw(&dc);
    EXPECT_EQ(dc.count("DrawText 12 22 118 58 [Entry]\r\n[Exit]\r\nstop();"), 1);
    EXPECT_EQ(before(dc, "RoundRect") + before(dc, "Ellipse"), "Brush HollowBrush Hollow");
    EXPECT_EQ(dc.count("MeasureText H"), 1);
    // Shrunk by 3 pixels; the bull's eye by 5 more.
    EXPECT_EQ(dot.matching("Ellipse"), std::vector<std::string>{"Ellipse 9 9 27 27"});
    EXPECT_EQ(before(dot, "Ellipse"), "Brush Solid 0x000000");
    EXPECT_EQ(eye.matching("Ellipse"),
              (std::vector<std::string>{"Ellipse 9 9 27 27", "Ellipse 14 14 22 22"}));
    EXPECT_EQ(before(eye, "Ellipse 9") + before(eye, "Ellipse 14"),
              "Brush HollowBrush Solid 0x000000");
}
