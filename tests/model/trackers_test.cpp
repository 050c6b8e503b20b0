#include "model/trackers.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {
// Snaps to a 10-pixel grid and counts the calls.
void snap(CPoint& p, void* context) {
    ++*static_cast<int*>(context);
    p.x = p.x / 10 * 10;
    p.y = p.y / 10 * 10;
}
} // namespace

TEST(PointTrackerTest, FollowsThroughTheCallbackAndErasesItsLine) {
    ScriptedWnd wnd;
    int calls = 0;
    PointTracker tracker(&calls, snap, true);
    tracker.setStart({5, 5});
    wnd.moveTo({13, 17});
    wnd.moveTo({27, 44});
    wnd.releaseAt({99, 99});
    EXPECT_TRUE(tracker.track(&wnd));
    EXPECT_FALSE(wnd.captured);
    EXPECT_EQ(calls, 2);                           // moves only, not the release
    EXPECT_EQ(tracker.getPoint(), CPoint(20, 40)); // the last snapped point
    const RecordingDC& dc = wnd.overlay;
    EXPECT_EQ(dc.count("ROP NotXorPen") + dc.count("ROP XorPen"), 4);
    EXPECT_EQ(dc.count("Pen Dot 0 0x404040"), 4);
    // Each line drawn once and erased once.
    EXPECT_EQ(dc.count("LineTo 10 10"), 2);
    EXPECT_EQ(dc.count("LineTo 20 40"), 2);
}

// Escape erases the feedback; a lost capture leaves it to the window's next repaint.
TEST(TrackerTest, EscapeErasesButLostCaptureDoesNot) {
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "escape" : "lost capture");
        const auto end = [escape](ScriptedWnd& w) { escape ? w.pressEscape() : w.loseCapture(); };
        ScriptedWnd wnd;
        PointTracker point(nullptr, nullptr, true);
        wnd.moveTo({30, 30});
        end(wnd);
        EXPECT_FALSE(point.track(&wnd));
        EXPECT_FALSE(wnd.captured);
        EXPECT_EQ(wnd.overlay.count("LineTo 30 30"), escape ? 2 : 1);
        wnd.overlay.clear();
        LineTracker line(nullptr, nullptr);
        line.setStart({10, 50}, {90, 50});
        wnd.moveTo({40, 70});
        end(wnd);
        EXPECT_FALSE(line.track(&wnd));
        EXPECT_EQ(wnd.overlay.count("Polyline"), escape ? 2 : 1);
        EXPECT_FALSE(wnd.captured);
    }
    // Without the line nothing is drawn; without a window nothing is tracked.
    ScriptedWnd wnd;
    PointTracker bare(nullptr, nullptr, false);
    wnd.moveTo({13, 17});
    wnd.releaseAt({14, 18});
    EXPECT_TRUE(bare.track(&wnd));
    EXPECT_EQ(bare.getPoint(), CPoint(13, 17));
    EXPECT_TRUE(wnd.overlay.calls.empty());
    EXPECT_FALSE(bare.track(nullptr));
}

TEST(LineTrackerTest, SegmentMovesAcrossItsOwnDirectionOnly) {
    ScriptedWnd wnd;
    LineTracker horizontal(nullptr, nullptr);
    horizontal.setStart({10, 50}, {90, 50});
    wnd.moveTo({40, 70});
    wnd.releaseAt({60, 80});
    EXPECT_TRUE(horizontal.track(&wnd));
    EXPECT_EQ(horizontal.getFirst(), CPoint(10, 80));
    EXPECT_EQ(horizontal.getSecond(), CPoint(90, 80));
    EXPECT_EQ(wnd.overlay.count("Polyline 10 50 10 70 90 70 90 50"), 2);
    // Released off the segment's ends but on its line: no change.
    LineTracker vertical(nullptr, nullptr);
    vertical.setStart({50, 10}, {50, 90});
    wnd.moveTo({70, 40});
    wnd.releaseAt({50, 200});
    EXPECT_FALSE(vertical.track(&wnd));
    EXPECT_EQ(vertical.getFirst(), CPoint(50, 10));
    EXPECT_EQ(wnd.overlay.count("Polyline 50 10 70 10 70 90 50 90"), 2);
}
