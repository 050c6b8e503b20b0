#include "model/view_services.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {
class WindowedView : public ViewServices {
public:
    ScriptedWnd wnd;
    CWnd* getWindow() override { return &wnd; }
};
} // namespace

TEST(ViewServicesTest, UnitsFromPixelsRoundHalfAwayFromZero) {
    ViewServices v;
    struct Case {
        short zoom;
        long pixels;
        long units;
    } cases[] = {
        {6, 7, 1}, {6, 9, 2}, {6, -9, -2}, {6, 3, 1},  {6, 2, 0},     {6, -2, 0},
        {6, 0, 0}, {2, 3, 2}, {13, 6, 0},  {13, 7, 1}, {13, 130, 10},
    };
    for (const Case& c : cases) {
        v.setZoom(c.zoom);
        EXPECT_EQ(v.uFp(c.pixels), c.units) << c.pixels << " at zoom " << c.zoom;
    }
    v.setZoom(4);
    EXPECT_EQ(v.zpFu(5), 20);
    EXPECT_EQ(ViewServices::pFu(5), 30); // normal scale ignores the zoom
    EXPECT_EQ(v.uFp(CRect(2, 6, 10, -6)), CRect(1, 2, 3, -2));
}

TEST(ViewServicesTest, ScrolledModelPointsMapToPixelsAndBack) {
    ViewServices v;
    v.setScrollPosition({60, 0});
    const CPoint model(20, 5);
    EXPECT_EQ(v.zpFu(v.getClientPos(model)), CPoint(60, 30));
    EXPECT_EQ(v.getAbsolutePos(v.uFp(CPoint(60, 30))), model);
    // At another zoom the scroll position still comes off in whole units.
    v.setZoom(4);
    v.setScrollPosition({40, 18}); // 10 and 4.5 -> 5 units
    EXPECT_EQ(v.getClientPos(CPoint(20, 5)), CPoint(10, 0));
    EXPECT_EQ(v.getClientPos(CRect(20, 5, 30, 15)), CRect(10, 0, 20, 10));
    EXPECT_EQ(v.getAbsolutePos(CRect(10, 0, 20, 10)), CRect(20, 5, 30, 15));
    EXPECT_EQ(v.getClientPointPos(CRect(40, 18, 50, 28)), CRect(0, 0, 10, 10));
    EXPECT_EQ(v.getAbsolutePointPos(CPoint(0, 0)), CPoint(40, 18));
}

TEST(ViewServicesTest, RepaintInvalidatesEveryRectangleOnTheWindow) {
    WindowedView v;
    v.repaint(CRect(0, 0, 5, 5), CRect(10, 10, 20, 20));
    EXPECT_EQ(v.wnd.invalidated, (std::vector<CRect>{{0, 0, 5, 5}, {10, 10, 20, 20}}));
}
