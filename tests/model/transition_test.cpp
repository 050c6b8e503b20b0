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
#include <string>
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
        const CPoint a = from->getAnchorPoint(fromNode);
        Transition* t = addFree({a.x, a.y - 4}, {a.x, a.y + 4});
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
};

// --- the route under long random edits ---

TEST_F(TransitionTest, RandomStateMovesAndDragsKeepEveryRouteWellFormed) {
    Rng rng(2024);
    std::vector<StartableState*> sources;
    std::vector<EndableState*> targets;
    std::vector<RectShape*> states;
    for (int i = 0; i < 3; ++i) {
        GenericState* g = addState(CRect(20 + 30 * i, 20, 32 + 30 * i, 30));
        sources.push_back(g);
        targets.push_back(g);
        states.push_back(g);
    }
    auto* initial = add(new InitialState(newId(), &view, CRect(5, 60, 9, 64)));
    sources.push_back(initial);
    states.push_back(initial);

    const auto randomNode = [&](bool generic) {
        return NODE(static_cast<std::uint16_t>(generic ? 1 + rng.below(3) : 1),
                    static_cast<std::uint16_t>(1 + rng.below(4)));
    };
    const auto newTransition = [&]() -> Transition* {
        const int from = rng.below(4);
        const int to = rng.below(3);
        return connect(sources[static_cast<std::size_t>(from)], randomNode(from < 3),
                       targets[static_cast<std::size_t>(to)], randomNode(true));
    };
    std::vector<Transition*> ts;
    for (int i = 0; i < 5; ++i)
        ts.push_back(newTransition());

    for (int step = 0; step < 4000; ++step) {
        const int what = rng.below(10);
        if (what < 4) { // move or resize a state
            RectShape* s = states[static_cast<std::size_t>(rng.below(4))];
            const CPoint at(1 + rng.below(80), 1 + rng.below(80));
            const bool small = s == initial;
            const CSize size = small ? CSize(4, 4) : CSize(4 + rng.below(16), 4 + rng.below(12));
            s->setRect(CRect(at, size));
        } else if (what < 7) { // drag an inner link sideways
            Transition* t = ts[static_cast<std::size_t>(rng.below(5))];
            std::vector<Link*> inner;
            for (Link* l = t->getHeadLink()->getTail(); l && l->isInner(); l = l->getTail())
                inner.push_back(l);
            if (!inner.empty()) {
                inner[static_cast<std::size_t>(rng.below(static_cast<int>(inner.size())))]->moveTo(
                    {rng.below(100), rng.below(100)});
                CSize none;
                t->execute(eMove, &none); // a route change ends with update
            }
        } else if (what < 8) { // pull a free end somewhere
            Transition* t = ts[static_cast<std::size_t>(rng.below(5))];
            const CPoint u(1 + rng.below(90), 1 + rng.below(90));
            t->setTailPoint(view.zpFu(u));
            ASSERT_EQ(t->getTailLink()->getTailPt(), u) << "step " << step;
            ASSERT_EQ(t->getTailState(), nullptr);
        } else { // replace a transition
            const std::size_t i = static_cast<std::size_t>(rng.below(5));
            delete ts[i];
            ts[i] = newTransition();
        }
        for (Transition* t : ts)
            ASSERT_TRUE(wellAttached(t)) << "step " << step << " action " << what;
    }
}

// --- following the states ---

TEST_F(TransitionTest, FollowsItsStatesWhenTheyMoveOrResize) {
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    Transition* t = connect(a, {2, 3}, b, {2, 1});
    ASSERT_TRUE(wellAttached(t));
    EXPECT_EQ(t->getHeadLink()->getHeadPt(), CPoint(15, 18));
    EXPECT_EQ(t->getTailLink()->getTailPt(), CPoint(45, 40));

    a->setRect({30, 5, 40, 13});
    EXPECT_TRUE(wellAttached(t));
    EXPECT_EQ(t->getHeadLink()->getHeadPt(), CPoint(35, 13));
    b->setRect({5, 50, 25, 66}); // moved and resized
    EXPECT_TRUE(wellAttached(t));
    EXPECT_EQ(t->getTailLink()->getTailPt(), CPoint(15, 50));
}

TEST_F(TransitionTest, MovingTheSelectionWithOnlyTheSourceFreesTheTarget) {
    for (bool stateFirst : {true, false}) {
        GenericState* a = addState({10, 10, 20, 18});
        GenericState* b = addState({10, 40, 20, 48});
        Transition* t = connect(a, {2, 3}, b, {2, 1});
        Collection& sel = view.getCollection();
        sel.clear();
        if (stateFirst) {
            sel.add(a);
            sel.add(t);
        } else {
            sel.add(t);
            sel.add(a);
        }
        const std::vector<LinkRecord> before = t->getRouteRecords();
        CSize by(7, 3);
        sel.execute(eMove, &by);
        EXPECT_EQ(t->getHeadState(), a);
        EXPECT_EQ(t->getTailState(), nullptr);
        EXPECT_TRUE(b->getTails().empty());
        EXPECT_TRUE(wellAttached(t)) << "state first: " << stateFirst;
        // The whole route moves with the selection; the free tail lands where the offset puts it.
        EXPECT_EQ(t->getRouteRecords(), shifted(before, by)) << "state first: " << stateFirst;
        sel.clear();
        delete t;
        delete a;
        delete b;
    }
}

TEST_F(TransitionTest, LabelStaysOnTheAttachPointUnlessMovedAway) {
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    Transition* t = connect(a, {2, 3}, b, {2, 1});
    t->onContextMenuAction(cmd::AddMessage);
    Mesg* m = t->getMesg();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->isAligned());
    t->onContextMenuAction(cmd::AddMessage); // only one label
    EXPECT_EQ(t->getMesg(), m);

    a->setRect({10, 20, 20, 28});
    EXPECT_TRUE(m->isAligned());
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

// --- hit regions and drawing ---

TEST_F(TransitionTest, HitRegionFollowsZoomAndScrollWithoutADrawing) {
    Transition* t = addFree({10, 10}, {10, 30});
    // Band: x 60 +- 4 pixels (right edge outside) from y 66 - 4 to 180 + 4.
    EXPECT_TRUE(t->isClientPt({56, 150}));
    EXPECT_FALSE(t->isClientPt({64, 150}));
    EXPECT_FALSE(t->isClientPt({55, 150}));
    // Arrowhead: base (52..68, 168), tip (60, 180).
    EXPECT_TRUE(t->isClientPt({66, 169}));
    EXPECT_FALSE(t->isClientPt({67, 175}));
    // Attach square around the middle link's handle (60, 120).
    EXPECT_EQ(t->getAttachRect(), CRect(55, 115, 66, 126));
    EXPECT_TRUE(t->isClientPt({65, 125}));
    EXPECT_FALSE(t->isClientPt({66, 126}));

    // A window skips transitions it does not show, so asking is enough.
    view.setZoom(3);
    EXPECT_TRUE(t->isClientPt({30, 75}));
    EXPECT_FALSE(t->isClientPt({60, 150}));
    view.setZoom(6);
    view.setScrollPosition({60, 0}); // ten units
    EXPECT_TRUE(t->isClientPt({0, 150}));
    EXPECT_FALSE(t->isClientPt({60, 150}));
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
    EXPECT_EQ(*(at + 1), "LineTo 60 180");
    EXPECT_EQ(*(at + 2), "LineTo 64 168");
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
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    Transition* t = connect(a, {2, 3}, b, {2, 1});
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
    CSize first(2, 0);
    t->execute(eTrack, &first);
    EXPECT_EQ(wnd.overlay.calls.front(), "ROP NotXorPen");
    EXPECT_EQ(wnd.overlay.count(pen(DrawingResources::instance().dragPen)), 1);
    EXPECT_EQ(wnd.overlay.count("LineTo 72 180"), 2); // 12 pixels right
    CSize second(3, 0);
    t->execute(eTrack, &second);
    EXPECT_EQ(wnd.overlay.count("LineTo 72 180"), 4); // erased at the old place
    EXPECT_EQ(wnd.overlay.count("LineTo 78 180"), 2);
    t->execute(eEndTrack, nullptr);
    EXPECT_EQ(wnd.overlay.count("LineTo 78 180"), 4);
    t->execute(eEndTrack, nullptr); // nothing shown any more
    EXPECT_EQ(wnd.overlay.count("LineTo 78 180"), 4);
    EXPECT_EQ(wnd.overlay.calls.back(), "ROP CopyPen");
}

// --- editing with the mouse ---

// Either end dragged: onto an anchor it attaches there, onto empty space it comes free.
TEST_F(TransitionTest, DraggingAnEndAttachesItToAnAnchorOrFreesIt) {
    struct Case {
        const char* what;
        bool head;
        CPoint drop;
        bool attaches;
        CPoint end;
    };
    const Case cases[] = {
        {"tail onto the top anchor", false, {238, 362}, true, {40, 60}},
        {"head onto empty space", true, {400, 300}, false, {67, 50}}, // 400 / 6 rounds to 67
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GenericState* a = addState({10, 10, 20, 18});
        GenericState* b = addState({40, 40, 50, 48});
        GenericState* s = addState({30, 60, 50, 76});
        Transition* t = connect(a, {2, 3}, b, {2, 1});
        const CPoint press = c.head ? t->getHeadLink()->getTrackRect().CenterPoint()
                                    : view.zpFu(t->getTailLink()->getTailPt());
        wnd.overlay.clear();
        wnd.moveTo(c.drop);
        wnd.releaseAt(c.drop);
        t->onLButtonDown(0, press);
        EXPECT_TRUE(wellAttached(t));
        if (c.head) {
            EXPECT_EQ(t->getHeadState(), c.attaches ? s : nullptr);
            EXPECT_TRUE(a->getHeads().empty());
            EXPECT_EQ(t->getHeadLink()->getHeadPt(), c.end);
        } else {
            EXPECT_EQ(t->getTailState(), c.attaches ? s : nullptr);
            EXPECT_TRUE(b->getTails().empty());
            EXPECT_EQ(t->getTailLink()->getTailPt(), c.end);
        }
        if (c.attaches) {
            EXPECT_EQ(c.head ? t->getHeadNode() : t->getTailNode(), NODE(2, 1));
            EXPECT_TRUE(view.getCollection().find(t));
            // The snap marker was drawn and erased again.
            EXPECT_EQ(wnd.overlay.count("Rectangle") % 2, 0);
            EXPECT_GT(wnd.overlay.count("Rectangle"), 0);
        }
        view.getCollection().clear();
        delete t;
        delete s;
        delete b;
        delete a;
    }
}

TEST_F(TransitionTest, EscapeChangesNothing) {
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    Transition* t = connect(a, {2, 3}, b, {2, 1});
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

TEST_F(TransitionTest, DraggingAnInnerLinkSideways) {
    Transition* t = addFree({10, 10}, {10, 30});
    Link* v = t->getHeadLink()->getTail();
    ASSERT_EQ(v->getType(), eVLink);
    wnd.moveTo({120, 130});
    wnd.releaseAt({120, 130});
    t->onLButtonDown(0, v->getTrackRect().CenterPoint());
    EXPECT_TRUE(wellAttached(t));
    const std::vector<LinkRecord> route = t->getRouteRecords();
    ASSERT_EQ(route.size(), 5u);
    EXPECT_EQ(route[2].type, eVLink);
    EXPECT_EQ(route[2].head.x, 20);
    EXPECT_EQ(route[0].head, CPoint(10, 10)); // the ends stay
    EXPECT_EQ(route[4].tail, CPoint(10, 30));
}

TEST_F(TransitionTest, ShiftDragMovesTheWholeSelection) {
    GenericState* a = addState({10, 10, 20, 18});
    Transition* t = connect(a, {2, 3}, nullptr, {});
    t->setTailPoint({90, 240});
    view.getCollection().add(a);
    const std::vector<LinkRecord> before = t->getRouteRecords();
    const CPoint press = t->getAttachRect().CenterPoint() + CSize(0, 30);
    wnd.moveTo(press + CSize(6, 0));
    wnd.moveTo(press + CSize(12, 0));
    wnd.releaseAt(press + CSize(12, 0));
    t->onLButtonDown(0x0004, press);
    EXPECT_EQ(t->getRouteRecords(), shifted(before, {2, 0}));
    EXPECT_EQ(a->getRect(), CRect(12, 10, 22, 18));
    EXPECT_TRUE(wellAttached(t));
}

TEST_F(TransitionTest, CursorsFollowTheHandleUnderTheMouse) {
    Transition* t = addFree({10, 10}, {10, 30});
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors.back(), CursorId::Connector);
    view.getCollection().add(t);
    wnd.cursorPos = t->getHeadLink()->getTail()->getTrackRect().CenterPoint();
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors.back(), CursorId::SizeWE);
    wnd.cursorPos = {60, 180};
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors.back(), CursorId::TransitionEnd);
    wnd.cursorPos = {0, 0};
    wnd.shift = true;
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors.back(), CursorId::LineBody);
}

// --- loops in the route ---

// Curls that each cross themselves once, below a head at (10, 10).
std::vector<LinkRecord> curls(int count) {
    std::vector<LinkRecord> r{{eHeadLink, {10, 10}, {10, 11}}};
    CPoint p(10, 11);
    const auto to = [&](ELinkType type, CPoint next) {
        r.push_back({type, p, next});
        p = next;
    };
    for (int i = 0; i < count; ++i) {
        to(eVLink, {p.x, p.y + 4});
        to(eHLink, {p.x + 2, p.y});
        to(eVLink, {p.x, p.y - 2});
        to(eHLink, {p.x - 3, p.y});
        to(eVLink, {p.x, p.y + 6});
        to(eHLink, {p.x + 1, p.y});
    }
    to(eVLink, {p.x, p.y + 5});
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
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0], "UnRecoverable error in the transition.. Re constructing...");
    EXPECT_EQ(t->getRouteRecords(), stored);
}

// --- menus and lifetime ---

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
    EXPECT_FALSE(listed(t));
    EXPECT_FALSE(listed(m));
}

TEST_F(TransitionTest, DestructionInAnyOrderLeavesNoDanglingPointer) {
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    Transition* t1 = connect(a, {2, 3}, b, {2, 1});
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
    delete t1; // a transition under its label
    EXPECT_TRUE(b->getTails().empty());
    EXPECT_EQ(b->getHeads(), std::vector<Transition*>{t2});
    // The view owns what is left and releases it in its own order.
}

TEST_F(TransitionTest, ReBirthMapsStateIdsOrFreesTheEnd) {
    Transition t(5, nullptr, {1, 1}, {1, 9});
    t.setHeadStateId(10);
    t.setTailStateId(11);
    std::map<long, long> ids{{5, 50}, {10, 100}};
    EXPECT_TRUE(t.reBirth(ids));
    EXPECT_EQ(t.getObjId(), 50);
    EXPECT_EQ(t.getHeadStateId(), 100);
    EXPECT_EQ(t.getTailStateId(), 0);
}

TEST_F(TransitionTest, InitResolvesStatesAndACopyOwnsItsOwnRoute) {
    GenericState* a = addState({10, 10, 20, 18});
    GenericState* b = addState({40, 40, 50, 48});
    auto* t = new Transition(newId(), &view, {15, 18}, {15, 30});
    t->setHeadStateId(a->getObjId());
    t->setTailStateId(b->getObjId());
    view.getModelMgr()->addShape(t);
    EXPECT_EQ(t->getHeadState(), a);
    EXPECT_EQ(t->getTailState(), b);
    EXPECT_EQ(a->getHeads(), std::vector<Transition*>{t});

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
