#include "model/util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Pixels around r where the region and the rectangle disagree, as "(x,y)".
std::string pixelsDifferingFrom(const CRgn& rgn, const CRect& r) {
    std::string out;
    for (LONG y = r.top - 3; y < r.bottom + 3; ++y)
        for (LONG x = r.left - 3; x < r.right + 3; ++x)
            if (rgn.PtInRegion({x, y}) != r.PtInRect({x, y}))
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return out;
}

void expectPixels(const CRgn& rgn, std::initializer_list<CPoint> in,
                  std::initializer_list<CPoint> out) {
    for (const CPoint& p : in)
        EXPECT_TRUE(rgn.PtInRegion(p)) << p.x << "," << p.y;
    for (const CPoint& p : out)
        EXPECT_FALSE(rgn.PtInRegion(p)) << p.x << "," << p.y;
}

} // namespace

TEST(UtilGeometryTest, RoundsHalfAwayFromZero) {
    const struct {
        double v;
        long expected;
    } cases[] = {{2.5, 3},   {-2.5, -3}, {-0.4, 0},   {0.5, 1},
                 {-0.5, -1}, {1.49, 1},  {-1.51, -2}, {1e9 + 0.5, 1000000001}};
    for (const auto& c : cases)
        EXPECT_EQ(Util::round(c.v), c.expected) << c.v;
}

TEST(UtilGeometryTest, RectangleRegionsCoverExactlyTheirGrownRectangle) {
    const struct {
        CPoint p1, p2;
        short w;
        bool flat;
        CRect covered;
    } cases[] = {
        {{10, 10}, {5, 20}, 4, false, {1, 6, 14, 24}},
        {{3, -2}, {-7, 5}, 2, false, {-9, -4, 5, 7}},
        {{2, 2}, {2, 2}, 0, false, {}},
        {{5, 0}, {5, 10}, 3, true, {2, 0, 8, 10}}, // vertical: grown sideways only
        {{10, 4}, {0, 4}, 2, true, {0, 2, 10, 6}}, // horizontal: grown up and down only
        {{0, 0}, {6, 3}, 5, true, {0, 0, 6, 3}},   // slanted: not grown
        {{2, 2}, {2, 2}, 3, true, {}},
    };
    for (const auto& c : cases) {
        const auto rgn = c.flat ? Util::createRectRgnFlat(c.p1, c.p2, c.w)
                                : Util::createRectRgn(c.p1, c.p2, c.w);
        ASSERT_NE(rgn, nullptr);
        EXPECT_EQ(pixelsDifferingFrom(*rgn, c.covered), "")
            << c.p1.x << "," << c.p1.y << " " << c.p2.x << "," << c.p2.y;
        EXPECT_EQ(rgn->isEmpty(), c.covered.IsRectEmpty());
    }
}

TEST(UtilGeometryTest, BandAroundAxisParallelSegmentIsARectangleAndEmptyWithoutLength) {
    EXPECT_EQ(pixelsDifferingFrom(*Util::createRgn({0, 0}, {10, 0}, 4.0), {0, -4, 10, 4}), "");
    EXPECT_EQ(pixelsDifferingFrom(*Util::createRgn({10, 0}, {0, 0}, 4.0), {0, -4, 10, 4}), "");
    EXPECT_EQ(pixelsDifferingFrom(*Util::createRgn({3, 2}, {3, 12}, 4.0), {-1, 2, 7, 12}), "");
    const auto dot = Util::createRgn({4, 4}, {4, 4}, 4.0);
    ASSERT_NE(dot, nullptr);
    EXPECT_TRUE(dot->isEmpty());
    EXPECT_EQ(pixelsDifferingFrom(*dot, {}), "");
}

TEST(UtilGeometryTest, BandAroundSlantedSegmentFollowsIt) {
    // Corners (-3,3) (7,13) (13,7) (3,-3): |y - x| < 6 and 0 < x + y < 20 at pixel centres.
    const auto band = Util::createRgn({0, 0}, {10, 10}, 4.0);
    expectPixels(*band, {{0, 0}, {9, 9}, {5, 0}, {0, 5}},
                 {{-1, -1}, {10, 10}, {7, 0}, {0, 7}, {15, 0}});
    EXPECT_EQ(band->GetRgnBox(), CRect(-3, -3, 13, 13));
}

TEST(UtilGeometryTest, TriangleRegionHoldsPixelsBetweenBaseAndTip) {
    expectPixels(*Util::createTriangleRgn({10, 20}, {14, 20}, 8),
                 {{10, 13}, {10, 26}, {13, 19}, {13, 20}}, {{10, 12}, {10, 27}, {14, 20}, {9, 20}});
    expectPixels(*Util::createTriangleRgn({20, 10}, {20, 4}, 3),
                 {{20, 9}, {17, 9}, {22, 9}, {19, 5}}, {{20, 10}, {20, 3}, {16, 9}, {23, 9}});
}

TEST(UtilGeometryTest, IncrementedPointMovesOneUnitOrStays) {
    const struct {
        unsigned short direction;
        CPoint expected;
    } cases[] = {{1, {7, 6}}, {2, {8, 7}}, {3, {7, 8}},    {4, {6, 7}},
                 {0, {7, 7}}, {5, {7, 7}}, {65535, {7, 7}}};
    for (const auto& c : cases)
        EXPECT_EQ(Util::getIncrimentedPoint({7, 7}, c.direction), c.expected) << c.direction;
}

TEST(UtilGeometryTest, PtMinAndPtMaxOrderPointsOnACommonAxis) {
    const struct {
        CPoint a, b, min, max;
    } cases[] = {{{3, 9}, {3, 2}, {3, 2}, {3, 9}},
                 {{3, 2}, {3, 9}, {3, 2}, {3, 9}},
                 {{8, 1}, {2, 1}, {2, 1}, {8, 1}},
                 {{4, 4}, {4, 4}, {4, 4}, {4, 4}},
                 // No common axis: first and second, whatever their order.
                 {{1, 1}, {2, 2}, {1, 1}, {2, 2}},
                 {{2, 2}, {1, 1}, {2, 2}, {1, 1}}};
    for (const auto& c : cases) {
        EXPECT_EQ(Util::ptMin(c.a, c.b), c.min);
        EXPECT_EQ(Util::ptMax(c.a, c.b), c.max);
    }
}

TEST(UtilGeometryTest, CrossingOfAxisParallelSegmentsIsInclusive) {
    const CPoint untouched{-99, -99};
    const struct {
        CPoint p1, p2, q1, q2;
        bool crosses;
        CPoint at;
    } cases[] = {
        {{5, 0}, {5, 10}, {0, 4}, {9, 4}, true, {5, 4}},
        {{0, 4}, {9, 4}, {5, 0}, {5, 10}, true, {5, 4}},
        {{5, 10}, {5, 0}, {9, 4}, {0, 4}, true, {5, 4}},
        {{5, 4}, {5, 10}, {0, 4}, {9, 4}, true, {5, 4}}, // end on the other segment
        {{5, 0}, {5, 4}, {0, 4}, {9, 4}, true, {5, 4}},
        {{0, 4}, {9, 4}, {5, 0}, {5, 4}, true, {5, 4}},
        {{5, 0}, {5, 10}, {5, 4}, {9, 4}, true, {5, 4}},  // the other's end on this one
        {{0, 4}, {9, 4}, {5, 4}, {12, 4}, true, {5, 4}},  // collinear overlap
        {{5, 6}, {5, 20}, {5, 0}, {5, 10}, true, {5, 6}}, // collinear overlap
        {{5, 0}, {5, 10}, {6, 4}, {9, 4}, false, untouched},
        {{5, 5}, {5, 10}, {0, 4}, {9, 4}, false, untouched},
        {{0, 4}, {3, 4}, {5, 4}, {9, 4}, false, untouched},
        {{5, 0}, {5, 10}, {7, 2}, {7, 8}, false, untouched},
    };
    for (const auto& c : cases) {
        CPoint at = untouched;
        EXPECT_EQ(Util::isCrossing(c.p1, c.p2, c.q1, c.q2, at), c.crosses)
            << c.p1.x << "," << c.p1.y << " " << c.q1.x << "," << c.q1.y;
        EXPECT_EQ(at, c.at);
    }
}

TEST(UtilGeometryTest, MakeDwordPacksLowSixteenBitsOfEachCoordinate) {
    EXPECT_EQ(Util::MAKEDWORD({1, 2}), 0x00020001UL);
    EXPECT_EQ(Util::MAKEDWORD({-1, -2}), 0xFFFEFFFFUL);
    EXPECT_EQ(Util::MAKEDWORD({0x12345, 0x10007}), 0x00072345UL);
}
