#include "model/rect_tracker.h"
#include "tests/model/test_box.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
bool invalidated(const ScriptedWnd& wnd, const CRect& r) {
    return std::find(wnd.invalidated.begin(), wnd.invalidated.end(), r) != wnd.invalidated.end();
}

// Rectangles drawn on the overlay; XOR feedback that was erased appears an even number of times.
int overlayRects(const ScriptedWnd& wnd, const CRect& r) {
    return wnd.overlay.count("Rectangle " + RecordingDC::describe(r));
}
} // namespace

TEST(RectShapeTest, SetRectKeepsRightOfAndBelowUnitOneButResizeDoesNot) {
    if constexpr (!config::kInteractive) {
        GTEST_SKIP();
    }
    Chart chart;
    TestBox* box = chart.add(101, CRect(20, 20, 10, 10));
    EXPECT_EQ(box->getRect(), CRect(10, 10, 20, 20)); // normalised on construction
    chart.wnd.invalidated.clear();
    box->setRect(CRect(-5, 3, 5, 13));
    EXPECT_EQ(box->getRect(), CRect(1, 3, 11, 13));
    ASSERT_EQ(box->changes.size(), 1u);
    EXPECT_EQ(box->changes[0].old, CRect(10, 10, 20, 20));
    EXPECT_FALSE(box->changes[0].resized);
    EXPECT_TRUE(invalidated(chart.wnd, CRect(60, 60, 120, 120)));
    EXPECT_TRUE(invalidated(chart.wnd, CRect(6, 18, 66, 78)));
    box->setRect(CRect(3, -2, 8, 4));
    EXPECT_EQ(box->getRect(), CRect(3, 1, 8, 7));
    box->resizeRect(CRect(-5, 3, 5, 13));
    EXPECT_EQ(box->getRect(), CRect(-5, 3, 5, 13));
    EXPECT_TRUE(box->changes.back().resized);
    box->changes.clear();
    chart.wnd.invalidated.clear();
    box->setRect(box->getRect());
    box->resizeRect(box->getRect());
    EXPECT_TRUE(box->changes.empty());
    EXPECT_TRUE(chart.wnd.invalidated.empty());
}

TEST(RectShapeTest, AdjustRectWidensToFourUnitsAndClampsAtUnitOne) {
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    struct Case {
        short zoom;
        CPoint scroll;
        CRect in, out;
    } cases[] = {
        {6, {0, 0}, {20, 30, 30, 40}, {18, 30, 42, 54}},          // 10 px wide -> 4 units
        {6, {0, 0}, {-10, -10, 50, 50}, {6, 6, 66, 66}},          // left of and above unit 1
        {10, {0, 0}, {3, 5, 13, 60}, {10, 10, 50, 70}},           // clamped, widened, snapped
        {6, {60, 30}, {-100, -100, -40, -40}, {-54, -24, 6, 36}}, // unit 1 is scrolled off
        {6, {60, 30}, {30, 30, 90, 90}, {30, 30, 90, 90}},        // already fine
    };
    for (const Case& c : cases) {
        chart.lm.setZoom(c.zoom);
        chart.lm.setScrollPosition(c.scroll);
        CRect r = c.in;
        box->adjustRect(&r);
        EXPECT_EQ(r, c.out) << RecordingDC::describe(c.in) << " at zoom " << c.zoom;
    }
}

TEST(RectShapeTest, HitTestsAtTheEdgesWhenScrolled) {
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    chart.lm.setScrollPosition({60, 30}); // 10 and 5 units
    const auto expectAt = [](auto hit, std::initializer_list<CPoint> in,
                             std::initializer_list<CPoint> out) {
        for (CPoint p : in)
            EXPECT_TRUE(hit(p)) << p.x << "," << p.y;
        for (CPoint p : out)
            EXPECT_FALSE(hit(p)) << p.x << "," << p.y;
    };
    expectAt([&](CPoint p) { return box->isClientPt(p); }, {{0, 30}, {59, 89}},
             {{60, 30}, {0, 29}, {-1, 50}});
    // Model units, two units of slack on each side.
    expectAt([&](CPoint p) { return box->isNearPt(p); }, {{8, 8}, {21, 21}}, {{22, 10}, {7, 10}});
    EXPECT_TRUE(box->isInRect({10, 10, 21, 21}));
    EXPECT_FALSE(box->isInRect({10, 10, 20, 21})); // the band's right edge is outside
    EXPECT_FALSE(box->isInRect({11, 0, 40, 40}));  // partly outside
}

class RectShapeDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        if constexpr (!config::kInteractive) {
            GTEST_SKIP();
        }
        box = chart.add(101, CRect(10, 10, 20, 20)); // pixels 60,60 to 120,120
        other = chart.add(102, CRect(30, 30, 40, 40));
        chart.lm.getCollection().add(other);
    }
    Chart chart;
    TestBox* box = nullptr;
    TestBox* other = nullptr;
};

TEST_F(RectShapeDragTest, DraggingTheBodyMovesTheShapeAndTheSelection) {
    chart.wnd.moveTo({102, 96});
    chart.wnd.releaseAt({102, 96});
    box->onLButtonDown(0, {90, 90});
    EXPECT_TRUE(chart.lm.getCollection().find(box));
    EXPECT_FALSE(chart.wnd.captured);
    EXPECT_EQ(box->getRect(), CRect(12, 11, 22, 21));
    ASSERT_EQ(box->changes.size(), 1u);
    EXPECT_FALSE(box->changes[0].resized);
    EXPECT_TRUE(box->actions.empty()); // the dragging shape is never sent its own commands
    EXPECT_EQ(other->getRect(), CRect(32, 31, 42, 41));
    // Feedback follows the move and the release point; the commands go out once each.
    EXPECT_EQ(other->actions, (std::vector<EAction>{eTrack, eTrack, eMove, eEndTrack, eEndTrack}));
    // The other shape's ghost was drawn once at the offset and erased again.
    EXPECT_EQ(overlayRects(chart.wnd, {192, 186, 252, 246}), 2);
    // So was the rubber outline.
    EXPECT_EQ(overlayRects(chart.wnd, {72, 66, 132, 126}) % 2, 0);
}

TEST_F(RectShapeDragTest, DraggingAHandleResizes) {
    chart.wnd.moveTo({141, 135});
    chart.wnd.releaseAt({141, 135});
    box->onLButtonDown(0, {117, 117}); // bottom-right handle
    EXPECT_EQ(box->getRect(), CRect(10, 10, 24, 23));
    ASSERT_EQ(box->changes.size(), 1u);
    EXPECT_TRUE(box->changes[0].resized);
    EXPECT_EQ(other->getRect(), CRect(30, 30, 40, 40));
    EXPECT_EQ(other->actions, (std::vector<EAction>{eEndTrack}));
}

TEST_F(RectShapeDragTest, ResizeBelowFourUnitsStopsAtFour) {
    chart.wnd.moveTo({70, 90});
    chart.wnd.releaseAt({70, 90});
    box->onLButtonDown(0, {117, 90}); // right handle
    EXPECT_EQ(box->getRect(), CRect(10, 10, 14, 20));
    // Already at the minimum: the same drag changes nothing.
    box->changes.clear();
    chart.wnd.moveTo({70, 90});
    chart.wnd.releaseAt({70, 90});
    box->onLButtonDown(0, {81, 90});
    EXPECT_EQ(box->getRect(), CRect(10, 10, 14, 20));
    EXPECT_TRUE(box->changes.empty());
}

TEST_F(RectShapeDragTest, EscapeOrLostCaptureChangesNothing) {
    chart.wnd.moveTo({102, 96});
    chart.wnd.pressEscape();
    box->onLButtonDown(0, {90, 90});
    chart.wnd.moveTo({102, 96});
    chart.wnd.loseCapture();
    box->onLButtonDown(0, {90, 90});
    EXPECT_EQ(box->getRect(), CRect(10, 10, 20, 20));
    EXPECT_TRUE(box->changes.empty());
    EXPECT_EQ(other->getRect(), CRect(30, 30, 40, 40));
    EXPECT_EQ(other->actions, (std::vector<EAction>{eTrack, eEndTrack, eTrack, eEndTrack}));
    EXPECT_EQ(overlayRects(chart.wnd, {192, 186, 252, 246}), 4);
    EXPECT_EQ(box->getTracker()->m_rect, CRect(60, 60, 120, 120));
}

TEST(RectShapeTest, TrackerHandlesFollowTheMaskAndSelection) {
    if constexpr (!config::kInteractive) {
        GTEST_SKIP();
    }
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    box->mask = 0x0F; // corners only
    chart.wnd.invalidated.clear();
    box->execute(eSelect, nullptr);
    EXPECT_EQ(chart.wnd.invalidated.size(), 4u);
    EXPECT_TRUE(invalidated(chart.wnd, CRect(114, 114, 120, 120)));
    EXPECT_EQ(box->getTracker()->HitTest({90, 62}), CRectTracker::hitMiddle);
    RecordingDC dc;
    box->draw(&dc); // not yet in the selection: anchors only
    EXPECT_EQ(dc.count("FillRect"), 0);
    chart.lm.getCollection().add(box);
    dc.clear();
    box->draw(&dc);
    EXPECT_EQ(dc.count("FillRect"), 4);
    EXPECT_EQ(dc.count("FillRect 114 114 120 120"), 1);
    box->execute(eDeselect, nullptr);
    EXPECT_TRUE(box->getTracker()->m_rect.IsRectNull());
}

TEST(RectShapeTest, HeadlessShapesHaveNoTrackerAndIgnoreTheMouse) {
    if constexpr (config::kInteractive) {
        GTEST_SKIP();
    }
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    EXPECT_EQ(box->getTracker(), nullptr);
    chart.wnd.moveTo({102, 96});
    chart.wnd.releaseAt({102, 96});
    box->onLButtonDown(0, {90, 90});
    EXPECT_FALSE(chart.lm.getCollection().find(box));
    EXPECT_EQ(box->getRect(), CRect(10, 10, 20, 20));
    chart.lm.getCollection().add(box);
    RecordingDC dc;
    box->draw(&dc);
    EXPECT_TRUE(dc.calls.empty());
    // Moving is model data, not interaction.
    CSize by(3, 4);
    box->execute(eMove, &by);
    EXPECT_EQ(box->getRect(), CRect(13, 14, 23, 24));
}
