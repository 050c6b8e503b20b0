#include "view/layout_mgr.h"

#include "tests/fakes/fake_platform.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A shape hit by a client-pixel rectangle and near a model-unit rectangle; it remembers the
// points it was asked about and how often it was invalidated.
class Probe : public TestShape {
public:
    Probe(long id, ViewServices* view, short layer, const CRect& hit, const CRect& near)
        : TestShape(id, view, layer), pixels(hit), units(near) {}
    bool isClientPt(const CPoint& pt) const override { return pixels.PtInRect(pt); }
    bool isNearPt(const CPoint& pt) const override {
        askedNear.push_back(pt);
        return units.PtInRect(pt);
    }
    void invalidate() override { ++invalidated; }

    CRect pixels;
    CRect units;
    mutable std::vector<CPoint> askedNear;
    int invalidated = 0;
};

const CRect cEverywhere(-1000, -1000, 10000, 10000);
const CRect cNowhere;

class LayoutMgrTest : public ::testing::Test {
protected:
    LayoutMgrTest() { view.setWindow(&wnd); }

    Probe* add(short layer, const CRect& pixels = cEverywhere, const CRect& units = cEverywhere) {
        auto* p = new Probe(view.getModelMgr()->getNewId(), &view, layer, pixels, units);
        view.getModelMgr()->addShape(p);
        return p;
    }
    std::vector<Shape*>& list() { return view.getModelMgr()->getShapeList(); }

    ScriptedWnd wnd;
    LayoutMgr view;
};

} // namespace

TEST_F(LayoutMgrTest, ShapeAtPointPrefersHigherLayersThenLaterListPositions) {
    EXPECT_EQ(view.getShapeAtPoint({5, 5}), nullptr);
    Probe* note = add(cNoteLayer, {0, 0, 10, 10});
    Probe* state1 = add(cStateLayer);
    Probe* state2 = add(cStateLayer);
    Probe* transition = add(cTransitionLayer, {20, 20, 30, 30});
    Probe* label = add(cMesgLayer, {20, 20, 40, 40});

    EXPECT_EQ(view.getShapeAtPoint({5, 5}), note);         // added first, but on top
    EXPECT_EQ(view.getShapeAtPoint({25, 25}), transition); // 40 above 20
    EXPECT_EQ(view.getShapeAtPoint({35, 35}), label);
    EXPECT_EQ(view.getShapeAtPoint({100, 100}), state2); // later in the list
    view.sendToFront(state1);
    EXPECT_EQ(view.getShapeAtPoint({100, 100}), state1);
}

TEST_F(LayoutMgrTest, ShapeNearPointConvertsToUnitsAndHonoursTheLayer) {
    view.setScrollPosition({60, 0}); // 10 units
    Probe* state = add(cStateLayer, cNowhere, {10, 0, 20, 10});
    Probe* note = add(cNoteLayer, cNowhere, {0, 0, 100, 100});

    // Pixel (30, 12) at zoom 6 is client unit (5, 2), model unit (15, 2).
    EXPECT_EQ(view.getShapeNearPoint({30, 12}, 0), note);
    EXPECT_EQ(note->askedNear, std::vector<CPoint>{CPoint(15, 2)});
    EXPECT_EQ(view.getShapeNearPoint({30, 12}, cStateLayer), state);
    EXPECT_EQ(state->askedNear, std::vector<CPoint>{CPoint(15, 2)});
    EXPECT_EQ(note->askedNear.size(), 1u); // not tried with the layer filter
    EXPECT_EQ(view.getShapeNearPoint({30, 12}, cTransitionLayer), nullptr);
    EXPECT_EQ(view.getShapeNearPoint({600, 12}, cStateLayer), nullptr);
}

TEST_F(LayoutMgrTest, FrontAndBackReorderWithinTheShapesOwnLayer) {
    Probe* a = add(cStateLayer);
    Probe* b = add(cNoteLayer);
    Probe* c = add(cStateLayer);
    Probe* d = add(cNoteLayer);
    Probe* e = add(cStateLayer);

    view.sendToFront(a);
    EXPECT_EQ(list(), (std::vector<Shape*>{b, c, d, e, a}));
    EXPECT_EQ(a->invalidated, 1);
    view.sendToBack(d);
    EXPECT_EQ(list(), (std::vector<Shape*>{d, b, c, e, a}));
    view.sendToBack(a);
    EXPECT_EQ(list(), (std::vector<Shape*>{d, b, a, c, e}));
    view.sendToFront(b);
    EXPECT_EQ(list(), (std::vector<Shape*>{d, b, a, c, e}));

    TestShape stranger(999, &view, cStateLayer);
    view.sendToFront(&stranger);
    view.sendToBack(&stranger);
    EXPECT_EQ(list().size(), 5u);
}

TEST_F(LayoutMgrTest, DestroyingTheViewWithASelectionLeavesNothingBehind) {
    const int before = TestShape::destroyed;
    {
        ScriptedWnd window;
        LayoutMgr chart;
        chart.setWindow(&window);
        for (short layer : {cStateLayer, cNoteLayer, cStateLayer}) {
            auto* p = new Probe(chart.getModelMgr()->getNewId(), &chart, layer, cNowhere, cNowhere);
            chart.getModelMgr()->addShape(p);
            chart.getCollection().add(p);
        }
        ASSERT_EQ(chart.getCollection().size(), 3u);
    }
    EXPECT_EQ(TestShape::destroyed - before, 3);
}
