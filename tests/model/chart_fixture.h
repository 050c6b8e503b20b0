#pragma once
// A chart view on a scripted window with fake platform services, for tests of the concrete
// shapes. The user defaults that shapes copy are pinned for each test and reset afterwards.

#include "model/default_settings.h"
#include "tests/fakes/fake_platform.h"
#include "view/layout_mgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

// Records object browser refreshes; its text style differs from the device context's
// defaults so that drawing shows where it is used. It prints when told to.
class RecordingView : public LayoutMgr {
public:
    std::vector<Shape*> refreshed;
    bool printing = false;
    bool isPrinting() const override { return printing; }
    void refreshObjectEntry(Shape* shape) override { refreshed.push_back(shape); }
    Font getTextFont() const override { return {"Courier", 100}; }
    COLORREF getTextColor() const override { return 0x000080; }
};

class ChartTest : public ::testing::Test {
protected:
    ChartTest() {
        CDefaultSettingDlg& d = CDefaultSettingDlg::Instance();
        d.LoadSettings(); // the empty fake store: every default
        d.stateName = "Idle";
        d.stateBgColor = 0x123456;
        d.entry = "enter();";
        d.mesgBorder = false;
        d.mesgBgTransparent = false;
        d.mesgBgColor = 0xABCDEF;
        view.setWindow(&wnd);
    }
    ~ChartTest() override { CDefaultSettingDlg::Instance().LoadSettings(); }

    // Joins the shape to the chart (registry, list and view) as the insert tools do.
    template <class S> S* add(S* shape) {
        view.getModelMgr()->addShape(shape);
        return shape;
    }
    long newId() { return view.getModelMgr()->getNewId(); }
    bool listed(const Shape* shape) {
        const auto& list = view.getModelMgr()->getShapeList();
        return std::find(list.begin(), list.end(), shape) != list.end();
    }
    static void expectHits(const Shape* shape, std::initializer_list<CPoint> in,
                           std::initializer_list<CPoint> out) {
        for (CPoint p : in)
            EXPECT_TRUE(shape->isClientPt(p)) << p.x << "," << p.y;
        for (CPoint p : out)
            EXPECT_FALSE(shape->isClientPt(p)) << p.x << "," << p.y;
    }

    FakePlatform fake;
    ScriptedWnd wnd;
    RecordingView view;
};
