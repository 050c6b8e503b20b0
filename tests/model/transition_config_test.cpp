// What the library's transitions leave out: drawing, the mouse and the loop repairs. Built
// into both test programs; the expectations follow the configuration.
#include "model/config.h"
#include "model/generic_state.h"
#include "model/shape_registry.h"
#include "model/transition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/model/route_checks.h"
#include "view/layout_mgr.h"

#include <gtest/gtest.h>

namespace {

constexpr bool kEditor = config::kInteractive;

// A V running down, then back up across the head's column: one crossing.
std::vector<LinkRecord> loopedRoute() {
    return {{eHeadLink, {10, 10}, {10, 11}}, {eVLink, {10, 11}, {10, 20}},
            {eHLink, {10, 20}, {14, 20}},    {eVLink, {14, 20}, {14, 15}},
            {eHLink, {14, 15}, {6, 15}},     {eVLink, {6, 15}, {6, 30}},
            {eTailLink, {6, 30}, {6, 31}}};
}

TEST(TransitionConfigTest, DrawingMouseAndRepairsDependOnTheBuild) {
    FakePlatform platform;
    ScriptedWnd wnd;
    LayoutMgr view;
    view.setWindow(&wnd);
    auto* t = new Transition(view.getModelMgr()->getNewId(), &view, {10, 10}, {6, 31});
    t->setLinkRecords(loopedRoute());
    view.getModelMgr()->addShape(t);
    RecordingDC dc;
    t->draw(&dc);
    EXPECT_EQ(dc.calls.empty(), !kEditor);
    CSize by(1, 0);
    t->execute(eTrack, &by);
    t->execute(eEndTrack, nullptr);
    EXPECT_EQ(wnd.overlay.calls.empty(), !kEditor);
    wnd.pressEscape();
    t->onLButtonDown(0, t->getHeadLink()->getTrackRect().CenterPoint());
    EXPECT_EQ(wnd.script.empty(), kEditor); // the library never runs a mouse loop
    t->onSetCursor(&wnd, 0, 0);
    EXPECT_EQ(wnd.cursors.empty(), !kEditor);
    // A route change in the editor cuts the loop; the library keeps the route as stored.
    CSize none;
    t->execute(eMove, &none);
    EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
    EXPECT_EQ(t->getRouteRecords() == loopedRoute(), !kEditor);
}

TEST(TransitionConfigTest, WithoutAViewOnlyTheStatesAreAttached) {
    ShapeRegistry registry;
    GenericState a(registry.getNewId(), nullptr, {10, 10, 20, 18}, "A");
    GenericState b(registry.getNewId(), nullptr, {40, 40, 50, 48}, "B");
    a.create(&registry, nullptr);
    b.create(&registry, nullptr);
    {
        Transition t(registry.getNewId(), nullptr, {15, 18}, {15, 40});
        t.setHeadStateId(a.getObjId());
        t.setTailStateId(b.getObjId());
        t.create(&registry, nullptr);
        EXPECT_EQ(t.getHeadState(), &a);
        EXPECT_EQ(t.getTailState(), &b);
        EXPECT_EQ(b.getTails(), std::vector<Transition*>{&t});
        a.setRect({12, 10, 22, 18}); // no route yet: nothing to follow, nothing breaks
    }
    EXPECT_TRUE(a.getHeads().empty());
    EXPECT_TRUE(b.getTails().empty());
}

} // namespace
