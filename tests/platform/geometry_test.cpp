#include "platform/geometry.h"

#include <gtest/gtest.h>

TEST(GeometryTest, RectEdgesFollowInsideOutsideConvention) {
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_TRUE(r.PtInRect({29, 39}));
    EXPECT_FALSE(r.PtInRect({30, 39}));
    EXPECT_FALSE(r.PtInRect({29, 40}));
    EXPECT_FALSE(r.PtInRect({9, 20}));
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1)); // truncates toward zero
}

TEST(GeometryTest, NormalizeOffsetInflate) {
    CRect r(30, 40, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    r.OffsetRect(CSize(-5, 5));
    EXPECT_EQ(r, CRect(5, 25, 25, 45));
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(3, 22, 27, 48));
    r.DeflateRect(2, 3);
    EXPECT_EQ(r, CRect(5, 25, 25, 45));
}

TEST(GeometryTest, IntersectAndUnionIgnoreEmptyOperands) {
    CRect out;
    EXPECT_TRUE(out.IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    // Touching edges share no pixel.
    EXPECT_FALSE(out.IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_TRUE(out.IsRectNull());

    EXPECT_TRUE(out.UnionRect({0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(out, CRect(0, 0, 20, 20));
    EXPECT_TRUE(out.UnionRect({}, {5, 5, 20, 20}));
    EXPECT_EQ(out, CRect(5, 5, 20, 20));
    EXPECT_FALSE(out.UnionRect({}, {3, 3, 3, 9}));
}

TEST(GeometryTest, PointAndSizeArithmetic) {
    EXPECT_EQ(CPoint(5, 7) - CPoint(2, 3), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 7) + CSize(1, -1), CPoint(6, 6));
    EXPECT_EQ(CPoint(5, 7) - CSize(1, -1), CPoint(4, 8));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}
