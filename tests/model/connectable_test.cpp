#include "platform/command_ids.h"
#include "tests/model/test_box.h"

#include <gtest/gtest.h>

TEST(ConnectableTest, PointInNodeTakesTheFirstAnchorInSideThenIndexOrder) {
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    box->frozen = true;
    // Inserted out of order; both squares hold the probe.
    box->setNodes(
        {{NODE(1, 2), CPoint(11, 10)}, {NODE(3, 1), CPoint(10, 10)}, {NODE(2, 1), CPoint(10, 10)}});
    NODE found;
    ASSERT_TRUE(box->isPointInNode({63, 60}, found));
    EXPECT_EQ(found, NODE(2, 1)); // side 1 before side 2, index 2 before index 3
    // Six normal-scale pixels each way, right and bottom edges outside; the zoom plays no part.
    chart.lm.setZoom(11);
    box->setNodes({{NODE(1, 1), CPoint(10, 10)}});
    EXPECT_TRUE(box->isPointInNode({54, 54}, found));
    EXPECT_TRUE(box->isPointInNode({65, 65}, found));
    EXPECT_FALSE(box->isPointInNode({66, 60}, found));
    EXPECT_FALSE(box->isPointInNode({60, 53}, found));
    EXPECT_EQ(box->getNodeSensitivity(), 6);
    // Asking for an absent anchor adds it at the origin.
    EXPECT_EQ(box->getAnchorPoint(NODE(4, 4)), CPoint(0, 0));
    EXPECT_EQ(box->getNodes().size(), 2u);
}

TEST(ConnectableTest, MovingLeavesSelectedConnectorsAloneResizingDoesNot) {
    FakeConnector selectedLine, freeLine;
    selectedLine.selected = true;
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    box->attach(&selectedLine);
    box->attach(&freeLine);
    box->setRect(CRect(12, 10, 22, 20));
    EXPECT_TRUE(selectedLine.recalculated.empty());
    ASSERT_EQ(freeLine.recalculated.size(), 1u);
    EXPECT_EQ(freeLine.recalculated[0], static_cast<Connectable*>(box));
    box->resizeRect(CRect(12, 10, 30, 20));
    EXPECT_EQ(selectedLine.recalculated.size(), 1u);
    EXPECT_EQ(freeLine.recalculated.size(), 2u);
    box->detach(&freeLine);
    box->detach(&freeLine); // absent: ignored
    box->publishChange(true);
    EXPECT_EQ(freeLine.recalculated.size(), 2u);
    EXPECT_EQ(selectedLine.recalculated.size(), 2u);
}

TEST(ConnectableTest, DestroyingTheShapeLetsEveryConnectorGo) {
    FakeConnector a, b;
    Chart chart;
    TestBox* box = chart.add(101, CRect(10, 10, 20, 20));
    box->attach(&a);
    box->attach(&b);
    box->attach(&a); // no duplicate check: told twice
    delete box;      // the connector asks the dying shape for its id: it must still answer
    EXPECT_EQ(a.detachedIds, (std::vector<long>{101, 101}));
    EXPECT_EQ(b.detachedIds, (std::vector<long>{101}));
    EXPECT_TRUE(chart.lm.getModelMgr()->getShapeList().empty());
}

TEST(ConnectableTest, CopiesKeepAnchorsButNotConnectors) {
    struct Anchored : Connectable {
        long getObjectId() override { return 7; }
        bool isUnderCollection() override { return false; }
        std::uint16_t getNodeSensitivity() override { return 6; }
        ViewServices* getMgr() override { return nullptr; }
    };
    FakeConnector line;
    Anchored original;
    original.attach(&line);
    original.getAnchorPoint(NODE(1, 1));
    {
        Anchored copy = original;
        EXPECT_TRUE(copy.getConnectors().empty());
        EXPECT_EQ(copy.getNodes().size(), 1u);
    }
    EXPECT_TRUE(line.detached.empty()); // the copy's end did not cut the original's link
    EXPECT_EQ(original.getConnectors().size(), 1u);
    original.detach(&line);
}

class AnchorDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if constexpr (!config::kInteractive) {
            GTEST_SKIP();
        }
        box = chart.add(101, CRect(10, 10, 20, 20));
        chart.lm.setScrollPosition({12, 0}); // two units
    }
    Chart chart;
    TestBox* box = nullptr;
    RecordingDC dc;
};

TEST_F(AnchorDrawingTest, AnchorsSitInsideOnTheRightAndBottom) {
    box->draw(&dc);
    EXPECT_EQ(dc.calls,
              (std::vector<std::string>{"Brush Solid 0xc0c0c0", "Anchor 76 58", "Anchor 103 88",
                                        "Anchor 76 115", "Anchor 46 88", "Brush Hollow"}));
}

TEST_F(AnchorDrawingTest, ShowAnchorsCommandTogglesAndRepaints) {
    chart.wnd.invalidated.clear();
    box->onContextMenuAction(cmd::ShowAnchors);
    EXPECT_FALSE(box->isNodeShown());
    EXPECT_FALSE(box->onInitMenuPopup());
    EXPECT_EQ(chart.wnd.invalidated, (std::vector<CRect>{{45, 57, 111, 123}}));
    box->draw(&dc);
    EXPECT_EQ(dc.count("Anchor"), 0);
    box->onContextMenuAction(cmd::AlignMesg); // not ours: nothing
    EXPECT_FALSE(box->isNodeShown());
    box->onContextMenuAction(cmd::ShowAnchors);
    EXPECT_TRUE(box->isNodeShown());
}

TEST_F(AnchorDrawingTest, ErasingRepaintsAroundEachAnchorAndParksIt) {
    box->frozen = true;
    chart.wnd.invalidated.clear();
    box->setRect(CRect(30, 30, 40, 40));
    const std::vector<CRect> areas(chart.wnd.invalidated.begin(),
                                   chart.wnd.invalidated.begin() + 4);
    EXPECT_EQ(areas,
              (std::vector<CRect>{
                  {75, 57, 81, 63}, {102, 87, 108, 93}, {75, 114, 81, 120}, {45, 87, 51, 93}}));
    for (const auto& [node, point] : box->getNodes())
        EXPECT_EQ(point, CPoint(-10, -10));
}
