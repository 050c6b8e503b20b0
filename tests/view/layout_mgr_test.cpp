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

// A shape hit by a client-pixel rectangle, near a model-unit rectangle and with a given print
// area; it logs what it is asked, drawn (at which zoom, printing) and deselected.
class Probe : public TestShape {
public:
    Probe(long id, ViewServices* view, short layer, const CRect& hit, const CRect& near,
          std::vector<std::string>& log, CSize printArea)
        : TestShape(id, view, layer), pixels(hit), units(near), drawn(log), area(printArea) {}
    bool isClientPt(const CPoint& pt) const override { return pixels.PtInRect(pt); }
    bool isNearPt(const CPoint& pt) const override {
        askedNear.push_back(pt);
        return units.PtInRect(pt);
    }
    void invalidate() override { ++invalidated; }
    void draw(CDC*) override {
        drawn.push_back(std::to_string(getObjId()) + "@" + std::to_string(mgr->getZoom()) +
                        (mgr->isPrinting() ? "p" : ""));
    }
    void getMaxPrintArea(long& x, long& y) override { x = area.cx, y = area.cy; }
    void execute(EAction action, void*) override {
        if (action == eDeselect)
            drawn.push_back("deselect " + std::to_string(getObjId()));
    }

    CRect pixels;
    CRect units;
    mutable std::vector<CPoint> askedNear;
    int invalidated = 0;
    std::vector<std::string>& drawn;
    CSize area;
};

const CRect cEverywhere(-1000, -1000, 10000, 10000);
const CRect cNowhere;
// A4 portrait, 210 x 297 mm at 600 dpi: 992 x 1403 normal pixels per page.
const CSize cA4(210, 297), cA4Device(4960, 7016);

class LayoutMgrTest : public ::testing::Test {
protected:
    LayoutMgrTest() { view.setWindow(&wnd); }

    Probe* add(short layer, const CRect& pixels = cEverywhere, const CRect& units = cEverywhere,
               CSize area = {}) {
        auto* p = new Probe(view.getModelMgr()->getNewId(), &view, layer, pixels, units, log, area);
        view.getModelMgr()->addShape(p);
        return p;
    }
    std::vector<Shape*>& list() { return view.getModelMgr()->getShapeList(); }

    ScriptedWnd wnd;
    std::unique_ptr<LayoutMgr> owned = std::make_unique<LayoutMgr>();
    LayoutMgr& view = *owned;
    std::vector<std::string> log;
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
    EXPECT_EQ(view.getShapeNearPoint({30, 12}, cStateLayer), state);
    EXPECT_EQ(state->askedNear, std::vector<CPoint>{CPoint(15, 2)});
    EXPECT_EQ(note->askedNear, std::vector<CPoint>{CPoint(15, 2)}); // not tried with the filter
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
    for (short layer : {cStateLayer, cNoteLayer, cStateLayer})
        view.getCollection().add(add(layer));
    owned.reset();
    EXPECT_EQ(TestShape::destroyed - before, 3);
}

TEST_F(LayoutMgrTest, ShapesAreDrawnLayerByLayerInListOrderAndEscapeDeselectsThem) {
    view.setGrid(false);
    for (short layer : {cNoteLayer, cTransitionLayer, cStateLayer, cMesgLayer, cStateLayer})
        add(layer); // 101 ... 105
    RecordingDC dc;
    view.draw(dc);
    EXPECT_EQ(log, (std::vector<std::string>{"103@6", "105@6", "104@6", "102@6", "101@6"}));
    EXPECT_TRUE(dc.calls.empty()); // no grid
    log.clear();
    view.getCollection().add(list()[2]);
    view.getCollection().add(list()[4]);
    view.normal();
    EXPECT_TRUE(view.getCollection().isEmpty());
    EXPECT_EQ(log, (std::vector<std::string>{"deselect 103", "deselect 105"}));
}

TEST_F(LayoutMgrTest, ZoomStopsAtItsLimitsKeepsWholeUnitsAndRepaintsEverything) {
    EXPECT_FALSE(view.canZoomNormal());
    for (int i = 0; i < 10; ++i)
        view.zoomIn();
    EXPECT_EQ(view.getZoom(), 13);
    EXPECT_FALSE(view.canZoomIn());
    EXPECT_EQ(view.cutScroll({27, 12}), CSize(26, 0));
    EXPECT_EQ(view.getTotalSize() + view.getPageSize(), CSize(19578, 19578));
    view.zoomOut();
    EXPECT_TRUE(view.canZoomIn() && view.canZoomNormal());
    for (int i = 0; i < 15; ++i)
        view.zoomOut();
    EXPECT_EQ(view.getZoom(), 2);
    EXPECT_FALSE(view.canZoomOut());
    view.zoomNormal();
    EXPECT_EQ(view.cutScroll({13, -13}), CSize(12, -12));
    view.setScrollPosition({60, 600});
    wnd.invalidated.clear();
    view.zoomIn(); // 7: 60 / 7 = 8.57 -> 9 units, 600 / 7 = 85.7 -> 86 units
    EXPECT_EQ(view.getScrollPosition(), CPoint(63, 602));
    EXPECT_EQ(wnd.invalidated, std::vector{CRect(-63, -602, 10500 - 63, 10500 - 602)});
}

TEST_F(LayoutMgrTest, PrintPagesCoverTheDrawingAtNormalScaleOrFitInProportion) {
    const LayoutMgr::PrintLayout empty = view.preparePrint(cA4, cA4Device);
    EXPECT_EQ(empty.pagesAcross * 10 + empty.pagesDown, 11);
    add(cStateLayer, cNowhere, cNowhere, {100, 20}); // 600 x 120 pixels
    add(cNoteLayer, cNowhere, cNowhere, {200, 300}); // 1200 x 1800: two pages across, two down
    const LayoutMgr::PrintLayout pages = view.preparePrint(cA4, cA4Device);
    EXPECT_EQ(view.getDrawingExtent(), CSize(1200, 1800));
    EXPECT_EQ(pages.windowExt, CSize(992, 1403));
    EXPECT_EQ(pages.viewportExt, cA4Device);
    EXPECT_EQ(pages.pagesAcross * 10 + pages.pagesDown, 22);
    const CPoint origins[] = {{0, 0}, {-4960, 0}, {0, -7016}, {-4960, -7016}};
    for (int page = 1; page <= 4; ++page)
        EXPECT_EQ(LayoutMgr::pageViewportOrigin(pages, page), origins[page - 1]) << page;
    // Printing draws at normal scale and restores the view.
    view.setZoom(9);
    view.setScrollPosition({90, 45});
    RecordingDC dc;
    view.drawForPrint(dc);
    EXPECT_EQ(log, (std::vector<std::string>{"101@6p", "102@6p"}));
    EXPECT_EQ(view.getZoom() * 1000 + view.getScrollPosition().x, 9090);
    EXPECT_FALSE(view.isPrinting());

    add(cStateLayer, cNowhere, cNowhere, {400, 100}); // 2400 x 1800
    view.setFitToPage(true);
    const LayoutMgr::PrintLayout fit = view.preparePrint(cA4, cA4Device);
    EXPECT_EQ(fit.pagesAcross * 10 + fit.pagesDown, 11);
    EXPECT_EQ(fit.windowExt, CSize(2400, 1800));
    // Width limits the scale; the height follows it instead of stretching to the page.
    EXPECT_EQ(fit.viewportExt, CSize(4960, 3720));
}

TEST_F(LayoutMgrTest, DrawingsPastThePixelBudgetPrintSmallerOnTheBudgetsPages) {
    // 35 A4 pages in the budget.
    const std::pair<CSize, long long> cases[] = {// extent, pages at normal size
                                                 {{1200, 1800}, 4},
                                                 {{992 * 5, 1403 * 7}, 35},
                                                 {{120, 788'520}, 563},
                                                 {{6'000'000, 6'000'000}, 25'871'573}};
    for (const auto& [extent, normalPages] : cases) {
        SCOPED_TRACE(std::to_string(extent.cx) + " x " + std::to_string(extent.cy));
        const LayoutMgr::PrintLayout pl = view.preparePrint(cA4, cA4Device, extent);
        const long long pages = static_cast<long long>(pl.pagesAcross) * pl.pagesDown;
        if (normalPages <= 35) {
            EXPECT_EQ(pages, normalPages);
            EXPECT_EQ(pl.windowExt, CSize(992, 1403));
        } else {
            EXPECT_LE(pages, 35);
            EXPECT_GE(pages, 25); // not one tiny page
        }
        // The pages cover the drawing, each page scaled alike in both directions.
        EXPECT_GE(static_cast<long long>(pl.pagesAcross) * pl.windowExt.cx, extent.cx);
        EXPECT_GE(static_cast<long long>(pl.pagesDown) * pl.windowExt.cy, extent.cy);
        EXPECT_NEAR(pl.windowExt.cx * 1403.0 / pl.windowExt.cy, 992.0, 2.0);
        EXPECT_EQ(pl.viewportExt, cA4Device);
    }
}

TEST_F(LayoutMgrTest, GridAndPartialRepaintsSkipShapesOutsideTheArea) {
    view.setGrid(true);
    ModelMgr& mm = *view.getModelMgr();
    auto* far = new GenericState(mm.getNewId(), &view, CRect(200, 200, 220, 214), "Far");
    mm.addShape(new GenericState(mm.getNewId(), &view, CRect(2, 2, 22, 14), "Near"));
    mm.addShape(far);
    // A transition far away: its route, arrow and hit region are not needed.
    auto* route = new Transition(mm.getNewId(), &view, CPoint(200, 230), CPoint(200, 260));
    mm.addShape(route);
    const std::string routePen =
        "Pen " + RecordingDC::describe(DrawingResources::instance().openTransitionPen);
    const auto draw = [&](const CRect* part, int pens, std::string names) {
        RecordingDC dc;
        part ? view.draw(dc, *part) : view.draw(dc);
        std::string seen;
        for (const std::string& call : dc.matching("DrawText"))
            if (const std::string last = call.substr(call.rfind(' ') + 1);
                last == "Near" || last == "Far")
                seen += last + ";";
        EXPECT_EQ(seen, names);
        EXPECT_EQ(dc.count(routePen) > 0, pens > 0);
        return dc.matching("LineTo");
    };
    const CRect part(0, 0, 200, 100); // pixels: Near is at 12..132, Far at 1200..
    const auto lines = draw(&part, 0, "Near;");
    EXPECT_TRUE(route->isClientPt(CPoint(1198, 1470))); // on the route all the same
    // Grid lines crossing the area only, each still drawn across the whole chart.
    const auto across = [&](const std::string& prefix, const std::string& suffix) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& call) {
            return call.starts_with(prefix) && call.ends_with(suffix);
        });
    };
    EXPECT_EQ(across("LineTo", " 9000"), 11); // x = 18 ... 198
    EXPECT_EQ(across("LineTo 9000 ", ""), 5); // y = 18 ... 90
    // A selected shape may mark places away from itself, so it is always drawn.
    view.getCollection().add(far);
    draw(&part, 0, "Near;Far;");
    view.getCollection().clear();
    draw(nullptr, 1, "Near;Far;");
    view.zoomIn(); // the grid follows zoom and scroll
    view.setScrollPosition({70, 14});
    RecordingDC zoomed;
    view.draw(zoomed);
    EXPECT_EQ(zoomed.matching("MoveTo").front(), "MoveTo -49 -14"); // 3 x 7 - 70
}
