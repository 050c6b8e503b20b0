#include "platform/geometry.h"

#include <gtest/gtest.h>

// The conventions the hit tests and repaints rely on; the plain arithmetic runs in every view test.
TEST(GeometryTest, RectsKeepTheInsideOutsideConventionAndIgnoreEmptyOperands) {
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}) && r.PtInRect({29, 39}));
    EXPECT_FALSE(r.PtInRect({30, 39}) || r.PtInRect({29, 40}) || r.PtInRect({9, 20}));
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1)); // truncates toward zero
    CRect out;
    EXPECT_TRUE(out.IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    EXPECT_FALSE(out.IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10})); // touching: no pixel shared
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE(out.UnionRect({}, {5, 5, 20, 20}) && out == CRect(5, 5, 20, 20));
    EXPECT_FALSE(out.UnionRect({}, {3, 3, 3, 9}));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
    CRect n(30, 40, 10, 20);
    n.NormalizeRect();
    n.InflateRect(2, 3);
    EXPECT_EQ(n, CRect(8, 17, 32, 43));
}
