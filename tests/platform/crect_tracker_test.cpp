#include "platform/crect_tracker.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {
// Keeps the rectangle at least 20 pixels wide and remembers each call.
class CountingTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    UINT mask = 255;
    std::vector<int> handles;

    void AdjustRect(int handle, RECT* r) override {
        handles.push_back(handle);
        if (r->Width() < 20)
            r->right = r->left + 20;
    }
    UINT GetHandleMask() const override { return mask; }
};

int outlines(const ScriptedWnd& wnd, const CRect& r) {
    return wnd.overlay.count("Rectangle " + RecordingDC::describe(r));
}
} // namespace

TEST(CRectTrackerTest, HandlesLieInsideTheRectangle) {
    CountingTracker t(CRect(70, 50, 10, 10), CRectTracker::resizeInside); // inverted on purpose
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitTopLeft), CRect(10, 10, 16, 16));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitTopRight), CRect(64, 10, 70, 16));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitBottomRight), CRect(64, 44, 70, 50));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitBottomLeft), CRect(10, 44, 16, 50));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitTop), CRect(37, 10, 43, 16));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitRight), CRect(64, 27, 70, 33));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitBottom), CRect(37, 44, 43, 50));
    EXPECT_EQ(t.GetHandleRect(CRectTracker::hitLeft), CRect(10, 27, 16, 33));

    EXPECT_EQ(t.HitTest({10, 10}), CRectTracker::hitTopLeft);
    EXPECT_EQ(t.HitTest({69, 49}), CRectTracker::hitBottomRight);
    EXPECT_EQ(t.HitTest({40, 12}), CRectTracker::hitTop);
    EXPECT_EQ(t.HitTest({12, 30}), CRectTracker::hitLeft);
    EXPECT_EQ(t.HitTest({30, 30}), CRectTracker::hitMiddle);
    EXPECT_EQ(t.HitTest({70, 30}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({9, 30}), CRectTracker::hitNothing);

    // Masked handles are gone: their place is the body.
    t.mask = 0x0F;
    EXPECT_TRUE(t.GetHandleRect(CRectTracker::hitTop).IsRectEmpty());
    EXPECT_EQ(t.HitTest({40, 12}), CRectTracker::hitMiddle);
    EXPECT_EQ(t.HitTest({65, 11}), CRectTracker::hitTopRight);
    RecordingDC dc;
    t.Draw(&dc);
    EXPECT_EQ(dc.count("Rectangle"), 0); // handles only: no line style asked for
    EXPECT_EQ(dc.count("FillRect"), 4);
    t.m_nStyle |= CRectTracker::dottedLine;
    dc.clear();
    t.Draw(&dc);
    EXPECT_EQ(dc.matching("Pen"),
              (std::vector<std::string>{"Pen Dot 0 0x000000", "Pen Solid 0 0x000000"}));
    EXPECT_EQ(dc.count("Rectangle 10 10 70 50"), 1);

    CRectTracker empty;
    EXPECT_EQ(empty.HitTest({0, 0}), CRectTracker::hitNothing);
}

TEST(CRectTrackerTest, CursorFollowsTheHandle) {
    CRectTracker t(CRect(10, 10, 70, 50), CRectTracker::resizeInside);
    ScriptedWnd wnd;
    struct Case {
        CPoint at;
        CursorId cursor;
    } cases[] = {
        {{68, 48}, CursorId::SizeNWSE}, {{11, 48}, CursorId::SizeNESW},
        {{40, 11}, CursorId::SizeNS},   {{68, 30}, CursorId::SizeWE},
        {{30, 30}, CursorId::SizeAll},
    };
    for (const Case& c : cases) {
        wnd.cursorPos = c.at;
        EXPECT_TRUE(t.SetCursor(&wnd, 1));
        EXPECT_EQ(wnd.cursors.back(), c.cursor) << RecordingDC::describe(c.at);
    }
    wnd.cursors.clear();
    wnd.cursorPos = {80, 80};
    EXPECT_FALSE(t.SetCursor(&wnd, 1));
    EXPECT_TRUE(wnd.cursors.empty());
}

TEST(CRectTrackerTest, DraggingTheBodyMovesAndTheAdjustHookSeesEveryMove) {
    CountingTracker t(CRect(10, 10, 70, 50), CRectTracker::resizeInside);
    ScriptedWnd wnd;
    wnd.moveTo({35, 32});
    wnd.moveTo({40, 35});
    wnd.releaseAt({40, 35});
    EXPECT_TRUE(t.Track(&wnd, {30, 30}));
    EXPECT_FALSE(wnd.captured);
    EXPECT_EQ(t.m_rect, CRect(20, 15, 80, 55));
    EXPECT_EQ(t.handles, (std::vector<int>{8, 8, 8}));
    // Every outline drawn was erased again.
    EXPECT_EQ(outlines(wnd, {15, 12, 75, 52}), 2);
    EXPECT_EQ(outlines(wnd, {20, 15, 80, 55}), 2);
}

TEST(CRectTrackerTest, ResizingNormalisesAndAdjusts) {
    CountingTracker t(CRect(10, 10, 70, 50), CRectTracker::resizeInside);
    ScriptedWnd wnd;
    wnd.releaseAt({100, 20}); // the left edge dragged past the right one
    EXPECT_TRUE(t.Track(&wnd, {12, 30}));
    EXPECT_EQ(t.m_rect, CRect(70, 10, 98, 50));

    wnd.releaseAt({82, 30}); // the right edge pulled in below the hook's minimum
    EXPECT_TRUE(t.Track(&wnd, {96, 30}));
    EXPECT_EQ(t.m_rect, CRect(70, 10, 90, 50));
}

TEST(CRectTrackerTest, CancelledOrUnchangedDragsRestoreTheRectangle) {
    CountingTracker t(CRect(10, 10, 70, 50), CRectTracker::resizeInside);
    ScriptedWnd wnd;
    wnd.moveTo({50, 50});
    wnd.pressEscape();
    EXPECT_FALSE(t.Track(&wnd, {30, 30}));
    EXPECT_EQ(t.m_rect, CRect(10, 10, 70, 50));
    EXPECT_EQ(outlines(wnd, {30, 30, 90, 70}), 2);

    wnd.moveTo({50, 50});
    wnd.loseCapture();
    EXPECT_FALSE(t.Track(&wnd, {30, 30}));
    EXPECT_EQ(t.m_rect, CRect(10, 10, 70, 50));
    EXPECT_FALSE(wnd.captured);

    wnd.moveTo({50, 50});
    wnd.releaseAt({30, 30});
    EXPECT_FALSE(t.Track(&wnd, {30, 30}));
    EXPECT_EQ(t.m_rect, CRect(10, 10, 70, 50));

    // Outside the rectangle nothing starts.
    wnd.releaseAt({200, 200});
    EXPECT_FALSE(t.Track(&wnd, {100, 100}));
    EXPECT_FALSE(wnd.captured);
    EXPECT_EQ(wnd.script.size(), 1u);
}
