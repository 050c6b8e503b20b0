#include "view/layout_mgr.h"

#include "model/drawing_resources.h"
#include "model/generic_state.h"
#include "model/transition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/recording_dc.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
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

namespace {

// Logs its draws (with the view's zoom and print flag at that moment) and its selection
// actions; its print area is given.
class Painted : public TestShape {
public:
    Painted(long id, ViewServices* view, short layer, std::vector<std::string>& log, long right,
            long bottom)
        : TestShape(id, view, layer), drawn(log), maxX(right), maxY(bottom) {}
    void draw(CDC*) override {
        drawn.push_back(std::to_string(getObjId()) + "@" + std::to_string(mgr->getZoom()) +
                        (mgr->isPrinting() ? "p" : ""));
    }
    void getMaxPrintArea(long& x, long& y) override {
        x = maxX;
        y = maxY;
    }
    void execute(EAction action, void*) override {
        if (action == eDeselect)
            drawn.push_back("deselect " + std::to_string(getObjId()));
    }

    std::vector<std::string>& drawn;
    long maxX;
    long maxY;
};

class LayoutDisplayTest : public LayoutMgrTest {
protected:
    Painted* paint(short layer, long right = 0, long bottom = 0) {
        auto* p = new Painted(view.getModelMgr()->getNewId(), &view, layer, log, right, bottom);
        view.getModelMgr()->addShape(p);
        return p;
    }
    std::vector<std::string> log;
};

} // namespace

TEST_F(LayoutDisplayTest, ShapesAreDrawnLayerByLayerInListOrder) {
    view.setGrid(false);
    paint(cNoteLayer);       // 101
    paint(cTransitionLayer); // 102
    paint(cStateLayer);      // 103
    paint(cMesgLayer);       // 104
    paint(cStateLayer);      // 105
    RecordingDC dc;
    view.draw(dc);
    EXPECT_EQ(log, (std::vector<std::string>{"103@6", "105@6", "104@6", "102@6", "101@6"}));
    EXPECT_TRUE(dc.calls.empty()); // no grid
}

TEST_F(LayoutDisplayTest, GridLinesEveryThreeUnitsFollowZoomAndScroll) {
    view.setGrid(true);
    RecordingDC dc;
    view.draw(dc);
    auto moves = dc.matching("MoveTo");
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front(), "MoveTo 18 0");
    // 9000 pixels wide and high: lines at 18 ... 8982 each way.
    EXPECT_EQ(moves.size(), 2u * (9000 / 18 - 1));

    view.zoomIn();
    view.setScrollPosition({70, 14});
    RecordingDC zoomed;
    view.draw(zoomed);
    EXPECT_EQ(zoomed.matching("MoveTo").front(), "MoveTo -49 -14"); // 3 x 7 - 70
}

TEST_F(LayoutDisplayTest, ZoomCommandsStopAtTheirLimits) {
    EXPECT_FALSE(view.canZoomNormal());
    for (int i = 0; i < 10; ++i)
        view.zoomIn();
    EXPECT_EQ(view.getZoom(), 13);
    EXPECT_FALSE(view.canZoomIn());
    EXPECT_TRUE(view.canZoomNormal());
    view.setZoom(12);
    EXPECT_TRUE(view.canZoomIn());

    view.setZoom(3);
    view.zoomOut();
    EXPECT_EQ(view.getZoom(), 2);
    EXPECT_FALSE(view.canZoomOut());
    view.zoomOut();
    EXPECT_EQ(view.getZoom(), 2);
    view.zoomNormal();
    EXPECT_EQ(view.getZoom(), 6);
}

TEST_F(LayoutDisplayTest, ZoomKeepsThePixelOffsetInWholeUnitsAndRepaintsEverything) {
    view.setScrollPosition({60, 600});
    wnd.invalidated.clear();
    view.zoomIn(); // 7: 60 / 7 = 8.57 -> 9 units, 600 / 7 = 85.7 -> 86 units
    EXPECT_EQ(view.getScrollPosition(), CPoint(63, 602));
    ASSERT_EQ(wnd.invalidated.size(), 1u);
    EXPECT_EQ(wnd.invalidated[0], CRect(-63, -602, 10500 - 63, 10500 - 602));
}

TEST_F(LayoutDisplayTest, ScrollingIsCutToWholeUnits) {
    EXPECT_EQ(view.cutScroll({13, -13}), CSize(12, -12));
    EXPECT_EQ(view.cutScroll({5, 6}), CSize(0, 6));
    view.setZoom(13);
    EXPECT_EQ(view.cutScroll({27, 12}), CSize(26, 0));
    EXPECT_EQ(view.getTotalSize(), CSize(19500, 19500));
    EXPECT_EQ(view.getPageSize(), CSize(78, 78));
}

TEST_F(LayoutDisplayTest, EscapeDeselectsEverything) {
    Painted* a = paint(cStateLayer);
    Painted* b = paint(cStateLayer);
    view.getCollection().add(a);
    view.getCollection().add(b);
    view.normal();
    EXPECT_TRUE(view.getCollection().isEmpty());
    EXPECT_EQ(log, (std::vector<std::string>{"deselect 101", "deselect 102"}));
}

TEST_F(LayoutDisplayTest, PrintDrawingIsAtNormalScaleAndRestoresTheView) {
    paint(cStateLayer);
    view.setZoom(9);
    view.setScrollPosition({90, 45});
    RecordingDC dc;
    view.drawForPrint(dc);
    EXPECT_EQ(log, (std::vector<std::string>{"101@6p"}));
    EXPECT_EQ(view.getZoom(), 9);
    EXPECT_EQ(view.getScrollPosition(), CPoint(90, 45));
    EXPECT_FALSE(view.isPrinting());
}

TEST_F(LayoutDisplayTest, PagesCoverTheDrawingRowByRow) {
    // A4 portrait, 210 x 297 mm at 600 dpi: 992 x 1403 normal pixels per page.
    const CSize mm(210, 297);
    const CSize device(4960, 7016);
    LayoutMgr::PrintLayout empty = view.preparePrint(mm, device);
    EXPECT_EQ(empty.pagesAcross, 1);
    EXPECT_EQ(empty.pagesDown, 1);

    paint(cStateLayer, 100, 20); // 600 x 120 pixels
    paint(cNoteLayer, 200, 300); // 1200 x 1800: two pages across, two down
    const LayoutMgr::PrintLayout pages = view.preparePrint(mm, device);
    EXPECT_EQ(view.getDrawingExtent(), CSize(1200, 1800));
    EXPECT_EQ(pages.windowExt, CSize(992, 1403));
    EXPECT_EQ(pages.viewportExt, device);
    EXPECT_EQ(pages.pagesAcross, 2);
    EXPECT_EQ(pages.pagesDown, 2);
    EXPECT_EQ(LayoutMgr::pageViewportOrigin(pages, 1), CPoint(0, 0));
    EXPECT_EQ(LayoutMgr::pageViewportOrigin(pages, 2), CPoint(-4960, 0));
    EXPECT_EQ(LayoutMgr::pageViewportOrigin(pages, 3), CPoint(0, -7016));
    EXPECT_EQ(LayoutMgr::pageViewportOrigin(pages, 4), CPoint(-4960, -7016));
}

TEST_F(LayoutDisplayTest, DrawingsPastThePixelBudgetPrintSmallerOnTheBudgetsPages) {
    // A4 at 600 dpi: 992 x 1403 normal pixels a page, 35 pages in the budget.
    const CSize mm(210, 297), device(4960, 7016);
    struct Case {
        CSize extent;
        long long pages; // at normal size
    };
    for (const Case& c : {Case{{1200, 1800}, 4}, Case{{992 * 5, 1403 * 7}, 35},
                          Case{{120, 788'520}, 563}, Case{{6'000'000, 6'000'000}, 25'871'573}}) {
        const LayoutMgr::PrintLayout pl = view.preparePrint(mm, device, c.extent);
        const long long pages = static_cast<long long>(pl.pagesAcross) * pl.pagesDown;
        if (c.pages <= 35) {
            EXPECT_EQ(pages, c.pages);
            EXPECT_EQ(pl.windowExt, CSize(992, 1403));
        } else {
            EXPECT_LE(pages, 35) << c.extent.cx << " x " << c.extent.cy;
            EXPECT_GE(pages, 25) << c.extent.cx << " x " << c.extent.cy; // not one tiny page
        }
        // The pages cover the drawing, each page scaled alike in both directions.
        EXPECT_GE(static_cast<long long>(pl.pagesAcross) * pl.windowExt.cx, c.extent.cx);
        EXPECT_GE(static_cast<long long>(pl.pagesDown) * pl.windowExt.cy, c.extent.cy);
        EXPECT_NEAR(pl.windowExt.cx * 1403.0 / pl.windowExt.cy, 992.0, 2.0);
        EXPECT_EQ(pl.viewportExt, device);
    }
}

TEST_F(LayoutDisplayTest, FittingPutsTheWholeDrawingOnOnePageInProportion) {
    paint(cStateLayer, 400, 100); // 2400 x 600
    view.setFitToPage(true);
    const LayoutMgr::PrintLayout fit = view.preparePrint({210, 297}, {4960, 7016});
    EXPECT_EQ(fit.pagesAcross, 1);
    EXPECT_EQ(fit.pagesDown, 1);
    EXPECT_EQ(fit.windowExt, CSize(2400, 600));
    // Width limits the scale; the height follows it instead of stretching to the page.
    EXPECT_EQ(fit.viewportExt, CSize(4960, 1240));
}

TEST_F(LayoutDisplayTest, RepaintsOfPartOfTheWindowSkipShapesOutsideIt) {
    view.setGrid(true);
    ModelMgr& mm = *view.getModelMgr();
    auto* near = new GenericState(mm.getNewId(), &view, CRect(2, 2, 22, 14), "Near");
    auto* far = new GenericState(mm.getNewId(), &view, CRect(200, 200, 220, 214), "Far");
    mm.addShape(near);
    mm.addShape(far);
    const auto names = [](const RecordingDC& dc) {
        std::string seen;
        for (const std::string& call : dc.matching("DrawText")) {
            const std::string last = call.substr(call.rfind(' ') + 1);
            if (last == "Near" || last == "Far")
                seen += last + ";";
        }
        return seen;
    };

    // A transition far away: its route, arrow and hit region are not needed.
    auto* route = new Transition(mm.getNewId(), &view, CPoint(200, 230), CPoint(200, 260));
    mm.addShape(route);
    const std::string routePen =
        "Pen " + RecordingDC::describe(DrawingResources::instance().openTransitionPen);

    RecordingDC part;
    view.draw(part, CRect(0, 0, 200, 100)); // pixels: Near is at 12..132, Far at 1200..
    EXPECT_EQ(names(part), "Near;");
    EXPECT_EQ(part.count(routePen), 0);
    EXPECT_TRUE(route->isClientPt(CPoint(1198, 1470))); // on the route all the same
    // Grid lines crossing the area only, each still drawn across the whole chart.
    const auto lines = part.matching("LineTo");
    const auto across = [&](const std::string& prefix, const std::string& suffix) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& call) {
            return call.rfind(prefix, 0) == 0 && call.size() >= suffix.size() &&
                   call.compare(call.size() - suffix.size(), suffix.size(), suffix) == 0;
        });
    };
    EXPECT_EQ(across("LineTo", " 9000"), 11); // x = 18 ... 198
    EXPECT_EQ(across("LineTo 9000 ", ""), 5); // y = 18 ... 90

    // A selected shape may mark places away from itself, so it is always drawn.
    view.getCollection().add(far);
    RecordingDC selected;
    view.draw(selected, CRect(0, 0, 200, 100));
    EXPECT_EQ(names(selected), "Near;Far;");

    RecordingDC whole;
    view.getCollection().clear();
    view.draw(whole);
    EXPECT_EQ(names(whole), "Near;Far;");
    EXPECT_GT(whole.count(routePen), 0);
}
