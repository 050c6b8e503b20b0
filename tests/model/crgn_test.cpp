#include "model/crgn.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Pixels of the window where the two regions disagree, as "(x,y)" for the failure message.
std::string differingPixels(const CRgn& a, const CRgn& b, const CRect& window) {
    std::string out;
    for (LONG y = window.top; y < window.bottom; ++y)
        for (LONG x = window.left; x < window.right; ++x)
            if (a.PtInRegion({x, y}) != b.PtInRegion({x, y}))
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return out;
}

} // namespace

TEST(CRgnTest, RectangleHoldsLeftAndTopEdgesOnly) {
    const CRgn rgn = CRgn::rect({2, 3, 6, 8});
    const struct {
        CPoint p;
        bool inside;
    } cases[] = {{{2, 3}, true},  {{5, 7}, true},  {{1, 3}, false}, {{2, 2}, false},
                 {{6, 3}, false}, {{5, 8}, false}, {{4, 5}, true}};
    for (const auto& c : cases)
        EXPECT_EQ(rgn.PtInRegion(c.p), c.inside) << c.p.x << "," << c.p.y;
    EXPECT_EQ(rgn.GetRgnBox(), CRect(2, 3, 6, 8));
}

// Pixels whose centres lie on a shared slanted edge must go to exactly one side.
TEST(CRgnTest, TrianglesSplittingARectangleTileItWithoutOverlapOrGap) {
    for (const CRect r : {CRect(0, 0, 10, 10), CRect(0, 0, 10, 6), CRect(-4, 1, 3, 4)}) {
        const CRgn upper = CRgn::polygon({r.TopLeft(), {r.right, r.top}, r.BottomRight()});
        const CRgn lower = CRgn::polygon({r.TopLeft(), r.BottomRight(), {r.left, r.bottom}});
        for (LONG y = r.top - 2; y < r.bottom + 2; ++y)
            for (LONG x = r.left - 2; x < r.right + 2; ++x)
                EXPECT_EQ(upper.PtInRegion({x, y}) + lower.PtInRegion({x, y}),
                          r.PtInRect({x, y}) ? 1 : 0)
                    << x << "," << y;
    }
    // The unit square: its single pixel goes to one half, the other half covers nothing.
    const CRgn a = CRgn::polygon({{0, 0}, {1, 0}, {0, 1}});
    const CRgn b = CRgn::polygon({{1, 0}, {1, 1}, {0, 1}});
    EXPECT_NE(a.isEmpty(), b.isEmpty());
    EXPECT_EQ((a.isEmpty() ? a : b).GetRgnBox(), CRect());
}

TEST(CRgnTest, SliverWithNoAxisParallelEdgeKeepsItsOnlyPixel) {
    const CRgn sliver = CRgn::polygon({{0, 0}, {2, 0}, {4, 2}});
    EXPECT_FALSE(sliver.isEmpty());
    EXPECT_EQ(differingPixels(sliver, CRgn::rect({1, 0, 2, 1}), {-2, -2, 6, 4}), "");
    EXPECT_EQ(sliver.GetRgnBox(), CRect(0, 0, 4, 2));
}

TEST(CRgnTest, SelfOverlappingPolygonIsFilledByNonZeroWinding) {
    // A pentagram: its centre is wound twice.
    const CRgn star = CRgn::polygon({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}});
    EXPECT_TRUE(star.PtInRegion({50, 50}));
    EXPECT_TRUE(star.PtInRegion({50, 10}));
    EXPECT_FALSE(star.PtInRegion({50, 85}));
    EXPECT_EQ(star.GetRgnBox(), CRect(2, 0, 98, 90));
}

TEST(CRgnTest, PartsCoveringNoPixelLeaveTheRegionEmpty) {
    const CRgn cases[] = {CRgn(),
                          CRgn::rect({}),
                          CRgn::rect({5, 5, 5, 9}),
                          CRgn::rect({8, 0, 2, 4}),
                          CRgn::polygon({}),
                          CRgn::polygon({{0, 0}, {9, 9}}),
                          CRgn::polygon({{0, 0}, {4, 4}, {9, 9}, {0, 0}})};
    for (const CRgn& rgn : cases) {
        EXPECT_TRUE(rgn.isEmpty());
        EXPECT_EQ(rgn.GetRgnBox(), CRect());
        EXPECT_FALSE(rgn.PtInRegion({4, 4}));
    }
}

TEST(CRgnTest, UnionHoldsEveryPartAndOffsetMovesThemAll) {
    CRgn rgn = CRgn::rect({0, 0, 4, 4});
    rgn.unite(CRgn());
    EXPECT_EQ(rgn.GetRgnBox(), CRect(0, 0, 4, 4));
    rgn.unite(CRgn::polygon({{10, 10}, {20, 10}, {15, 30}}));
    EXPECT_TRUE(rgn.PtInRegion({3, 3}));
    EXPECT_TRUE(rgn.PtInRegion({15, 20}));
    EXPECT_FALSE(rgn.PtInRegion({8, 8}));
    rgn.unite(rgn);
    EXPECT_EQ(rgn.GetRgnBox(), CRect(0, 0, 20, 30));
    rgn.offset({-5, 100});
    EXPECT_TRUE(rgn.PtInRegion({-5, 100}));
    EXPECT_FALSE(rgn.PtInRegion({0, 0}));
    EXPECT_TRUE(rgn.PtInRegion({10, 120}));
    EXPECT_FALSE(rgn.PtInRegion({15, 20}));
    EXPECT_EQ(rgn.GetRgnBox(), CRect(-5, 100, 15, 130));
}

TEST(CRgnTest, PolygonSpanningTheWholeCoordinateRangeIsTestedExactly) {
    const CRgn rgn = CRgn::polygon({{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}});
    EXPECT_FALSE(rgn.isEmpty());
    EXPECT_TRUE(rgn.PtInRegion({5, 0}));
    EXPECT_FALSE(rgn.PtInRegion({0, 5}));
    EXPECT_TRUE(rgn.PtInRegion({INT_MAX - 1, INT_MIN}));
    EXPECT_FALSE(rgn.PtInRegion({INT_MAX, 0}));
}
