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
const CRect cBox(10, 10, 70, 50);
} // namespace

TEST(CRectTrackerTest, HandlesLieInsideTheRectangleAndSetTheCursor) {
    CountingTracker t(CRect(70, 50, 10, 10), CRectTracker::resizeInside); // inverted on purpose
    // Handle rectangles in hit order: corners clockwise from top left, then the edges.
    const CRect handles[] = {{10, 10, 16, 16}, {64, 10, 70, 16}, {64, 44, 70, 50},
                             {10, 44, 16, 50}, {37, 10, 43, 16}, {64, 27, 70, 33},
                             {37, 44, 43, 50}, {10, 27, 16, 33}};
    using C = CursorId;
    const C cursors[] = {C::SizeNWSE, C::SizeNESW, C::SizeNWSE, C::SizeNESW,
                         C::SizeNS,   C::SizeWE,   C::SizeNS,   C::SizeWE};
    ScriptedWnd wnd;
    const auto cursorAt = [&](CPoint p) {
        wnd.cursors.clear();
        wnd.cursorPos = p;
        const bool set = t.SetCursor(&wnd, 1);
        return set == !wnd.cursors.empty() ? wnd.cursors : std::vector<C>(3); // set, or not
    };
    for (int h = 0; h < 8; ++h) {
        EXPECT_EQ(t.GetHandleRect(h), handles[h]) << h;
        EXPECT_EQ(t.HitTest(handles[h].CenterPoint()), h);
        EXPECT_EQ(cursorAt(handles[h].CenterPoint()), std::vector{cursors[h]}) << h;
    }
    // Top left, bottom right and middle.
    EXPECT_EQ(t.HitTest({10, 10}) * 100 + t.HitTest({69, 49}) * 10 + t.HitTest({30, 30}), 28);
    EXPECT_EQ(cursorAt({30, 30}), std::vector{C::SizeAll});
    for (CPoint outside : {CPoint(70, 30), CPoint(9, 30)}) {
        EXPECT_EQ(t.HitTest(outside), CRectTracker::hitNothing);
        EXPECT_TRUE(cursorAt(outside).empty());
    }
    // Masked handles are gone: their place is the body.
    t.mask = 0x0F;
    EXPECT_TRUE(t.GetHandleRect(CRectTracker::hitTop).IsRectEmpty());
    EXPECT_EQ(t.HitTest({40, 12}), CRectTracker::hitMiddle);
    EXPECT_EQ(t.HitTest({65, 11}), CRectTracker::hitTopRight);
    EXPECT_EQ(CRectTracker(cBox, CRectTracker::resizeInside).HitTest({40, 12}), 4) << "all handles";
    RecordingDC dc;
    t.Draw(&dc);
    EXPECT_EQ(dc.count("Rectangle") * 10 + dc.count("FillRect"), 4) << "handles only, no outline";
    t.m_nStyle |= CRectTracker::dottedLine;
    dc.clear();
    t.Draw(&dc);
    EXPECT_EQ(dc.matching("Pen"),
              (std::vector<std::string>{"Pen Dot 0 0x000000", "Pen Solid 0 0x000000"}));
    EXPECT_EQ(dc.count("Rectangle 10 10 70 50"), 1);
    EXPECT_EQ(CRectTracker().HitTest({0, 0}), CRectTracker::hitNothing);
}

TEST(CRectTrackerTest, DragsMoveOrResizeThroughTheAdjustHookOrRestoreTheRectangle) {
    CountingTracker t(cBox, CRectTracker::resizeInside);
    ScriptedWnd wnd;
    wnd.moveTo({35, 32});
    wnd.moveTo({40, 35});
    wnd.releaseAt({40, 35});
    EXPECT_TRUE(t.Track(&wnd, {30, 30}));
    EXPECT_FALSE(wnd.captured);
    EXPECT_EQ(t.m_rect, CRect(20, 15, 80, 55));
    EXPECT_EQ(t.handles, (std::vector<int>{8, 8, 8}));
    EXPECT_EQ(outlines(wnd, {15, 12, 75, 52}) + outlines(wnd, {20, 15, 80, 55}), 4);

    t.m_rect = cBox;
    wnd.releaseAt({100, 20}); // the left edge dragged past the right one
    EXPECT_TRUE(t.Track(&wnd, {12, 30}));
    EXPECT_EQ(t.m_rect, CRect(70, 10, 98, 50));
    wnd.releaseAt({82, 30}); // the right edge pulled in below the hook's minimum
    EXPECT_TRUE(t.Track(&wnd, {96, 30}));
    EXPECT_EQ(t.m_rect, CRect(70, 10, 90, 50));

    // Cancelled, unchanged or missed drags restore the rectangle.
    t.m_rect = cBox;
    for (void (ScriptedWnd::*end)() : {&ScriptedWnd::pressEscape, &ScriptedWnd::loseCapture}) {
        wnd.moveTo({50, 50});
        (wnd.*end)();
        EXPECT_FALSE(t.Track(&wnd, {30, 30}));
        EXPECT_EQ(t.m_rect, cBox);
        EXPECT_FALSE(wnd.captured);
    }
    EXPECT_EQ(outlines(wnd, {30, 30, 90, 70}), 4); // each drawn and erased
    wnd.moveTo({50, 50});
    wnd.releaseAt({30, 30});
    EXPECT_FALSE(t.Track(&wnd, {30, 30}));
    EXPECT_EQ(t.m_rect, cBox);
    wnd.releaseAt({200, 200});
    EXPECT_FALSE(t.Track(&wnd, {100, 100})); // outside: nothing starts
    EXPECT_FALSE(wnd.captured);
    EXPECT_EQ(wnd.script.size(), 1u);
}
