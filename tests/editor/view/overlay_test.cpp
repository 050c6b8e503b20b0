#include "editor/view/overlay.h"

#include <gtest/gtest.h>

TEST(OverlayTest, DrawingTheSameTwiceRemovesIt) {
    Overlay overlay;
    std::vector<CRect> changed;
    overlay.onChange = [&](const CRect& r) { changed.push_back(r); };
    overlay.SetROP2(RasterOp::NotXorPen);
    overlay.SelectPen(Pen{PenStyle::Dot, 0, RGB(64, 64, 64)});
    overlay.Rectangle(CRect(10, 10, 50, 40));
    overlay.MoveTo(CPoint(0, 0));
    overlay.LineTo(CPoint(30, 20));
    EXPECT_EQ(overlay.size(), 2u);
    ASSERT_EQ(changed.size(), 2u);
    CRect covers;
    EXPECT_TRUE(covers.IntersectRect(changed[0], CRect(10, 10, 50, 40)));
    EXPECT_EQ(covers, CRect(10, 10, 50, 40)) << "the repainted area holds the rectangle";
    // The same rectangle with another pen is another primitive.
    overlay.SelectPen(Pen{PenStyle::Solid, 1, RGB(255, 0, 0)});
    overlay.Rectangle(CRect(10, 10, 50, 40));
    EXPECT_EQ(overlay.size(), 3u);
    overlay.Rectangle(CRect(10, 10, 50, 40));
    overlay.SelectPen(Pen{PenStyle::Dot, 0, RGB(64, 64, 64)});
    overlay.Rectangle(CRect(10, 10, 50, 40));
    // A line is the same segment whichever calls drew it.
    overlay.Polyline({CPoint(0, 0), CPoint(30, 20)});
    EXPECT_TRUE(overlay.isEmpty());
    EXPECT_EQ(changed.size(), 6u);
}
