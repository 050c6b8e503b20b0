#include "model/transition.h"
#include "platform/command_ids.h"

#include "model/drawing_resources.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "tests/model/chart_fixture.h"
#include "tests/model/route_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

class TransitionTest : public ChartTest {
protected:
    GenericState* addState(const CRect& r) { return add(new GenericState(newId(), &view, r, "S")); }
    // A free vertical arrow, as the insert tool makes it.
    Transition* addFree(CPoint start, CPoint end, std::vector<LinkRecord> records = {}) {
        auto* t = new Transition(newId(), &view, start, end);
        if (!records.empty())
            t->setLinkRecords(std::move(records));
        return add(t);
    }
    // The way the view draws a transition between two anchors.
    Transition* connect(StartableState* from, NODE fromNode, EndableState* to, NODE toNode) {
        const CPoint at = from->getAnchorPoint(fromNode);
        Transition* t = addFree({at.x, at.y - 4}, {at.x, at.y + 4});
        t->setStartState(from);
        t->setHeadNode(fromNode);
        from->attachTransitionHead(t);
        t->reCalculate(from);
        if (to) {
            t->setEndState(to);
            t->setTailNode(toNode);
            to->attachTransitionTail(t);
            t->reCalculate(to);
        }
        return t;
    }
    // a's bottom middle to b's top middle: the route starts at (15, 18) and ends at (45, 40).
    Transition* aToB() {
        a = addState({10, 10, 20, 18});
        b = addState({40, 40, 50, 48});
        return connect(a, {2, 3}, b, {2, 1});
    }
    ::testing::AssertionResult wellAttached(Transition* t) {
        auto r = routeWellFormed(t->getHeadLink());
        if (!r)
            return r;
        if (StartableState* s = t->getHeadState()) {
            r = headOnAnchor(t->getHeadLink(), s->getAnchorPoint(t->getHeadNode()),
                             t->getHeadNode().side);
            if (!r)
                return r;
        }
        if (EndableState* s = t->getTailState())
            return tailOnAnchor(t->getHeadLink(), t->getTailLink(),
                                s->getAnchorPoint(t->getTailNode()), t->getTailNode().side);
        return ::testing::AssertionSuccess();
    }
    std::string pen(const Pen& p) { return "Pen " + RecordingDC::describe(p); }
    CPoint headPt(Transition* t) { return t->getHeadLink()->getHeadPt(); }
    CPoint tailPt(Transition* t) { return t->getTailLink()->getTailPt(); }
    GenericState* a = nullptr;
    GenericState* b = nullptr;
};

TEST_F(TransitionTest, RandomStateMovesAndDragsKeepEveryRouteWellFormed) {
    Rng rng(2024);
    std::vector<StartableState*> sources;
    std::vector<EndableState*> targets;
    std::vector<RectShape*> states;
    for (int i = 0; i < 3; ++i) {
        GenericState* g = addState(CRect(20 + 30 * i, 20, 32 + 30 * i, 30));
        sources.push_back(g), targets.push_back(g), states.push_back(g);
    }
    auto* initial = add(new InitialState(newId(), &view, CRect(5, 60, 9, 64)));
    sources.push_back(initial), states.push_back(initial);
    const auto node = [&](bool generic) {
        return NODE(static_cast<std::uint16_t>(generic ? 1 + rng.below(3) : 1),
                    static_cast<std::uint16_t>(1 + rng.below(4)));
    };
    const auto newTransition = [&]() -> Transition* {
        const int from = rng.below(4);
        const int to = rng.below(3);
        return connect(sources[static_cast<std::size_t>(from)], node(from < 3),
                       targets[static_cast<std::size_t>(to)], node(true));
    };
    const auto pick = [&](auto& v) -> auto& {
        return v[static_cast<std::size_t>(rng.below(static_cast<int>(v.size())))];
    };
    std::vector<Transition*> ts;
    for (int i = 0; i < 5; ++i)
        ts.push_back(newTransition());
    for (int step = 0; step < 4000; ++step) {
        const int what = rng.below(10);
        if (what < 4) { // move or resize a state
            RectShape* s = pick(states);
            const CPoint at(1 + rng.below(80), 1 + rng.below(80));
            s->setRect(CRect(at, s == initial ? CSize(4, 4)
                                              : CSize(4 + rng.below(16), 4 + rng.below(12))));
        } else if (what < 7) { // drag an inner link sideways; a route change ends with update
            Transition* t = pick(ts);
            std::vector<Link*> inner;
            for (Link* l = t->getHeadLink()->getTail(); l && l->isInner(); l = l->getTail())
                inner.push_back(l);
            if (!inner.empty()) {
                pick(inner)->moveTo({rng.below(100), rng.below(100)});
                CSize none;
                t->execute(eMove, &none);
            }
        } else if (what < 8) { // pull a free end somewhere
            Transition* t = pick(ts);
            const CPoint u(1 + rng.below(90), 1 + rng.below(90));
            t->setTailPoint(view.zpFu(u));
            ASSERT_EQ(tailPt(t), u) << "step " << step;
            ASSERT_EQ(t->getTailState(), nullptr);
        } else { // replace a transition
            Transition*& t = pick(ts);
            delete t;
            t = newTransition();
        }
        for (Transition* t : ts)
            ASSERT_TRUE(wellAttached(t)) << "step " << step << " action " << what;
    }
}

TEST_F(TransitionTest, MovingTheSelectionWithOnlyTheSourceFreesTheTarget) {
    for (bool stateFirst : {true, false}) {
        SCOPED_TRACE(stateFirst ? "state first" : "transition first");
        Transition* t = aToB();
        Collection& sel = view.getCollection();
        sel.add(stateFirst ? static_cast<Shape*>(a) : t);
        sel.add(stateFirst ? static_cast<Shape*>(t) : a);
        const std::vector<LinkRecord> before = t->getRouteRecords();
        CSize by(7, 3);
        sel.execute(eMove, &by);
        EXPECT_EQ(t->getHeadState(), a);
        EXPECT_EQ(t->getTailState(), nullptr);
        EXPECT_TRUE(b->getTails().empty());
        EXPECT_TRUE(wellAttached(t));
        // The whole route moves with the selection; the free tail lands where the offset puts it.
        EXPECT_EQ(t->getRouteRecords(), shifted(before, by));
        sel.clear();
        delete t, delete a, delete b;
    }
}

TEST_F(TransitionTest, LabelStaysOnTheAttachPointUnlessMovedAway) {
    Transition* t = aToB();
    t->onContextMenuAction(cmd::AddMessage);
    Mesg* m = t->getMesg();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->isAligned());
    t->onContextMenuAction(cmd::AddMessage); // only one label
    EXPECT_EQ(t->getMesg(), m);
    a->setRect({10, 20, 20, 28});
    b->setRect({60, 60, 70, 68});
    EXPECT_TRUE(m->isAligned());
    CSize away(15, 0);
    m->execute(eMove, &away);
    const CRect placed = m->getRect();
    a->setRect({5, 5, 15, 13});
    EXPECT_EQ(m->getRect(), placed);
    EXPECT_FALSE(m->isAligned());
    t->onContextMenuAction(cmd::AlignMessage);
    EXPECT_TRUE(m->isAligned());
}

TEST_F(TransitionTest, HitRegionFollowsZoomAndScrollWithoutADrawing) {
    Transition* t = addFree({10, 10}, {10, 30});
    // Band: x 60 +- 4 pixels (right edge outside) from y 66 - 4 to 180 + 4; arrowhead base
    // (52..68, 168), tip (60, 180); attach square around the middle link's handle (60, 120).
    expectHits(t, {{56, 150}, {66, 169}, {65, 125}}, {{64, 150}, {55, 150}, {67, 175}, {66, 126}});
    EXPECT_EQ(t->getAttachRect(), CRect(55, 115, 66, 126));
    // A window skips transitions it does not show, so asking is enough.
    view.setZoom(3);
    expectHits(t, {{30, 75}}, {{60, 150}});
    view.setZoom(6);
    view.setScrollPosition({60, 0}); // ten units
    expectHits(t, {{0, 150}}, {{60, 150}});
    EXPECT_EQ(t->getBoundingRect().left, 10 - 1);
}

TEST_F(TransitionTest, ArcsOnlyAtInnerCornersAndAnOpenArrowhead) {
    Transition* straight = addFree({10, 10}, {10, 30});
    view.getCollection().add(straight);
    straight->onContextMenuAction(cmd::AddMessage);
    RecordingDC dc;
    straight->draw(&dc);
    EXPECT_EQ(dc.count("Arc"), 0);
    EXPECT_EQ(dc.matching("Pen ").front(), pen(DrawingResources::instance().openTransitionPen));
    const auto at = std::find(dc.calls.begin(), dc.calls.end(), "MoveTo 56 168");
    ASSERT_GE(dc.calls.end() - at, 3);
    EXPECT_EQ(std::vector<std::string>(at + 1, at + 3),
              (std::vector<std::string>{"LineTo 60 180", "LineTo 64 168"}));
    EXPECT_EQ(dc.count("Polygon"), 0); // open, not filled
    // Selected: three handles and the frame of the label's attach square.
    EXPECT_EQ(dc.count("FillRect"), 3);
    EXPECT_EQ(dc.count("FrameRect 55 115 66 126"), 1);
    Transition* bent = addFree({10, 10}, {31, 20},
                               {{eHeadLink, {10, 10}, {10, 11}},
                                {eVLink, {10, 11}, {10, 20}},
                                {eHLink, {10, 20}, {30, 20}},
                                {eTailLink, {30, 20}, {31, 20}}});
    dc.clear();
    bent->draw(&dc);
    EXPECT_EQ(dc.matching("Arc"), std::vector<std::string>{"Arc 60 108 72 120 60 114 66 120"});
}

TEST_F(TransitionTest, PensForCompleteOpenAndPrintedTransitions) {
    const DrawingResources& res = DrawingResources::instance();
    Transition* t = aToB();
    RecordingDC dc;
    t->draw(&dc);
    EXPECT_EQ(dc.matching("Pen ").front(), pen(res.transitionPen));
    view.printing = true;
    view.setScrollPosition({60, 60});
    dc.clear();
    t->draw(&dc);
    EXPECT_EQ(dc.matching("Pen ").front(), pen(res.transitionPrintPen));
    EXPECT_EQ(dc.calls[2], "MoveTo 90 108"); // (15, 18) at normal scale, no scroll
    EXPECT_EQ(dc.count("FillRect"), 0);
    delete b;
    dc.clear();
    t->draw(&dc);
    EXPECT_EQ(dc.matching("Pen ").front(), pen(res.openTransitionPrintPen));
}

TEST_F(TransitionTest, DragOutlineIsReplayedInXorAndErased) {
    Transition* t = addFree({10, 10}, {10, 30});
    // The arrow tip (60, 180) is reached twice per drawing: the tail link and one stroke.
    const auto tips = [&] {
        return std::tuple(wnd.overlay.count("LineTo 72 180"), wnd.overlay.count("LineTo 78 180"));
    };
    CSize first(2, 0), second(3, 0);
    t->execute(eTrack, &first);
    EXPECT_EQ(wnd.overlay.calls.front(), "ROP NotXorPen");
    EXPECT_EQ(wnd.overlay.count(pen(DrawingResources::instance().dragPen)), 1);
    EXPECT_EQ(tips(), std::tuple(2, 0)); // 12 pixels right
    t->execute(eTrack, &second);
    EXPECT_EQ(tips(), std::tuple(4, 2)); // erased at the old place
    t->execute(eEndTrack, nullptr);
    EXPECT_EQ(tips(), std::tuple(4, 4));
    t->execute(eEndTrack, nullptr); // nothing shown any more
    EXPECT_EQ(tips(), std::tuple(4, 4));
    EXPECT_EQ(wnd.overlay.calls.back(), "ROP CopyPen");
}

// Either end dragged: onto an anchor it attaches there, onto empty space it comes free.
TEST_F(TransitionTest, DraggingAnEndAttachesItToAnAnchorOrFreesIt) {
    const struct {
        const char* what;
        bool head;
        CPoint drop;
        bool attaches;
        CPoint end;
    } cases[] = {
        {"tail onto the top anchor", false, {238, 362}, true, {40, 60}},
        {"head onto empty space", true, {400, 300}, false, {67, 50}}, // 400 / 6 rounds to 67
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Transition* t = aToB();
        GenericState* s = addState({30, 60, 50, 76});
        const CPoint press =
            c.head ? t->getHeadLink()->getTrackRect().CenterPoint() : view.zpFu(tailPt(t));
        wnd.overlay.clear();
        wnd.dragTo(c.drop);
        t->onLButtonDown(0, press);
        EXPECT_TRUE(wellAttached(t));
        EXPECT_EQ(c.head ? static_cast<Shape*>(t->getHeadState()) : t->getTailState(),
                  c.attaches ? s : nullptr);
        EXPECT_TRUE(c.head ? a->getHeads().empty() : b->getTails().empty());
        EXPECT_EQ(c.head ? headPt(t) : tailPt(t), c.end);
        if (c.attaches) {
            EXPECT_EQ(c.head ? t->getHeadNode() : t->getTailNode(), NODE(2, 1));
            EXPECT_TRUE(view.getCollection().find(t));
            // The snap marker was drawn and erased again.
            EXPECT_EQ(wnd.overlay.count("Rectangle") % 2, 0);
            EXPECT_GT(wnd.overlay.count("Rectangle"), 0);
        }
        view.getCollection().clear();
        delete t, delete s, delete b, delete a;
    }
}

TEST_F(TransitionTest, EscapeChangesNothing) {
    Transition* t = aToB();
    const std::vector<LinkRecord> before = t->getRouteRecords();
    for (Link* l = t->getHeadLink(); l; l = l->getTail()) {
        const CRect handle = l->getTrackRect();
        if (handle.IsRectNull())
            continue;
        wnd.moveTo({300, 300});
        wnd.pressEscape();
        t->onLButtonDown(0, handle.CenterPoint());
        EXPECT_EQ(t->getRouteRecords(), before);
        EXPECT_EQ(t->getHeadState(), a);
        EXPECT_EQ(t->getTailState(), b);
    }
}

TEST_F(TransitionTest, DraggingAnInnerLinkSidewaysKeepsTheEnds) {
    Transition* t = addFree({10, 10}, {10, 30});
    Link* v = t->getHeadLink()->getTail();
    ASSERT_EQ(v->getType(), eVLink);
    wnd.dragTo({120, 130});
    t->onLButtonDown(0, v->getTrackRect().CenterPoint());
    EXPECT_TRUE(wellAttached(t));
    const std::vector<LinkRecord> route = t->getRouteRecords();
    ASSERT_EQ(route.size(), 5u);
    EXPECT_EQ(route[2].type, eVLink);
    EXPECT_EQ(route[2].head.x, 20);
    EXPECT_EQ(route[0].head, CPoint(10, 10));
    EXPECT_EQ(route[4].tail, CPoint(10, 30));
}

TEST_F(TransitionTest, ShiftDragMovesTheWholeSelection) {
    a = addState({10, 10, 20, 18});
    Transition* t = connect(a, {2, 3}, nullptr, {});
    t->setTailPoint({90, 240});
    view.getCollection().add(a);
    const std::vector<LinkRecord> before = t->getRouteRecords();
    const CPoint press = t->getAttachRect().CenterPoint() + CSize(0, 30);
    wnd.moveTo(press + CSize(6, 0));
    wnd.dragTo(press + CSize(12, 0));
    t->onLButtonDown(0x0004, press);
    EXPECT_EQ(t->getRouteRecords(), shifted(before, {2, 0}));
    EXPECT_EQ(a->getRect(), CRect(12, 10, 22, 18));
    EXPECT_TRUE(wellAttached(t));
}

TEST_F(TransitionTest, CursorsFollowTheHandleUnderTheMouse) {
    Transition* t = addFree({10, 10}, {10, 30});
    t->onSetCursor(&wnd, 0, 0); // not selected
    view.getCollection().add(t);
    for (CPoint at : {t->getHeadLink()->getTail()->getTrackRect().CenterPoint(), CPoint(60, 180)}) {
        wnd.cursorPos = at;
        t->onSetCursor(&wnd, 0, 0);
    }
    wnd.cursorPos = {0, 0};
    wnd.shift = true;
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors, (std::vector<CursorId>{CursorId::Connector, CursorId::SizeWE,
                                                  CursorId::TransitionEnd, CursorId::LineBody}));
}

// Curls that each cross themselves once, below a head at (10, 10).
std::vector<LinkRecord> curls(int count) {
    std::vector<LinkRecord> r{{eHeadLink, {10, 10}, {10, 11}}};
    CPoint p(10, 11);
    const auto to = [&](ELinkType type, CSize by) {
        r.push_back({type, p, p + by});
        p += by;
    };
    for (int i = 0; i < count; ++i)
        for (CSize by :
             {CSize(0, 4), CSize(2, 0), CSize(0, -2), CSize(-3, 0), CSize(0, 6), CSize(1, 0)})
            to(by.cx ? eHLink : eVLink, by);
    to(eVLink, {0, 5});
    r.push_back({eTailLink, p, {p.x, p.y + 1}});
    return r;
}

TEST_F(TransitionTest, LoopsAreCutOutOfTheRoute) {
    Transition* t = addFree({10, 10}, {10, 60}, curls(4));
    CSize none;
    t->execute(eMove, &none);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(wellAttached(t));
    // Each curl lost the four links of its loop; no two links that are not neighbours meet.
    std::vector<Link*> links;
    for (Link* l = t->getHeadLink()->getTail(); l != t->getTailLink(); l = l->getTail())
        links.push_back(l);
    EXPECT_EQ(links.size(), 25u - 4 * 2);
    for (std::size_t i = 0; i < links.size(); ++i)
        for (std::size_t j = i + 2; j < links.size(); ++j) {
            CPoint at;
            EXPECT_FALSE(Util::isCrossing(links[i]->getHeadPt(), links[i]->getTailPt(),
                                          links[j]->getHeadPt(), links[j]->getTailPt(), at))
                << describeRoute(t->getHeadLink());
        }
}

TEST_F(TransitionTest, ARouteBeyondFiveRepairsIsRebuilt) {
    const std::vector<LinkRecord> stored = curls(5);
    Transition* t = addFree({10, 10}, {10, 60}, stored);
    CSize none;
    t->execute(eMove, &none);
    EXPECT_EQ(
        fake.messages.shown,
        std::vector<std::string>{"UnRecoverable error in the transition.. Re constructing..."});
    EXPECT_EQ(t->getRouteRecords(), stored);
}

TEST_F(TransitionTest, DeletingTheTransitionAsksFirstAndTakesItsLabel) {
    Transition* t = addFree({10, 10}, {10, 30});
    t->onContextMenuAction(cmd::AddMessage);
    Mesg* m = t->getMesg();
    ASSERT_NE(m, nullptr);
    t->onContextMenuAction(cmd::DeleteMessage); // the label alone
    EXPECT_EQ(t->getMesg(), nullptr);
    EXPECT_FALSE(listed(m));
    t->onContextMenuAction(cmd::AddMessage);
    m = t->getMesg();
    t->onContextMenuAction(cmd::DeleteTransition); // unanswered: No is preselected
    ASSERT_EQ(fake.messages.shown, std::vector<std::string>{"Please confirm deletion"});
    EXPECT_EQ(fake.messages.icons[0], MsgIcon::Stop);
    EXPECT_TRUE(listed(t));
    fake.messages.answers.push_back(MsgResult::Yes);
    t->onContextMenuAction(cmd::DeleteTransition);
    EXPECT_FALSE(listed(t) || listed(m));
}

TEST_F(TransitionTest, DestructionInAnyOrderLeavesNoDanglingPointer) {
    Transition* t1 = aToB();
    Transition* t2 = connect(b, {1, 2}, a, {2, 2});
    t1->onContextMenuAction(cmd::AddMessage);
    Mesg* m = t1->getMesg();
    delete a; // under both transitions
    EXPECT_EQ(t1->getHeadState(), nullptr);
    EXPECT_EQ(t2->getTailState(), nullptr);
    b->setRect({30, 30, 40, 38}); // the surviving ends still follow
    EXPECT_TRUE(wellAttached(t1));
    EXPECT_TRUE(wellAttached(t2));
    delete m; // a label under its transition
    EXPECT_EQ(t1->getMesg(), nullptr);
    t1->onContextMenuAction(cmd::AddMessage);
    delete t1; // a transition under its label; the view owns what is left
    EXPECT_TRUE(b->getTails().empty());
    EXPECT_EQ(b->getHeads(), std::vector<Transition*>{t2});
}

TEST_F(TransitionTest, ReBirthMapsStateIdsOrFreesTheEnd) {
    Transition t(5, nullptr, {1, 1}, {1, 9});
    t.setHeadStateId(10);
    t.setTailStateId(11);
    std::map<long, long> ids{{5, 50}, {10, 100}};
    EXPECT_TRUE(t.reBirth(ids));
    EXPECT_EQ(std::tuple(t.getObjId(), t.getHeadStateId(), t.getTailStateId()),
              std::tuple(50, 100, 0));
}

TEST_F(TransitionTest, InitResolvesStatesAndACopyOwnsItsOwnRoute) {
    a = addState({10, 10, 20, 18});
    b = addState({40, 40, 50, 48});
    auto* t = new Transition(newId(), &view, {15, 18}, {15, 30});
    t->setHeadStateId(a->getObjId());
    t->setTailStateId(b->getObjId());
    view.getModelMgr()->addShape(t);
    EXPECT_EQ(t->getHeadState(), a);
    EXPECT_EQ(t->getTailState(), b);
    {
        Transition copy(*t);
        EXPECT_EQ(copy.getRouteRecords(), t->getRouteRecords());
        EXPECT_NE(copy.getHeadLink(), t->getHeadLink());
        EXPECT_EQ(copy.getHeadState(), nullptr);
        EXPECT_EQ(copy.getHeadStateId(), a->getObjId());
    }
    // The copy's death leaves the original registered and attached.
    EXPECT_EQ(a->getHeads(), std::vector<Transition*>{t});
    EXPECT_EQ(view.getModelMgr()->getShape(t->getObjId()), t);
    EXPECT_TRUE(listed(t));
}

} // namespace
