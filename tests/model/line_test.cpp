#include "model/line.h"
#include "platform/command_ids.h"

#include "tests/model/chart_fixture.h"
#include "tests/model/test_box.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const NODE cTop(1, 1);
const NODE cRight(1, 2);
const NODE cBottom(1, 3);

class LineTest : public ChartTest {
protected:
    LineTest() {
        CDefaultSettingDlg::Instance().lineColor = 3;
        CDefaultSettingDlg::Instance().lineStyle = 1;
    }

    TestBox* box(const CRect& r) { return add(new TestBox(newId(), &view, r)); }
    // A line whose ends are attached through ids, as a model file gives them.
    Line* lineBetween(CPoint h, TestBox* hb, NODE hn, CPoint t, TestBox* tb = nullptr,
                      NODE tn = {}) {
        auto* line = new Line(newId(), &view, h, t);
        if (hb) {
            line->setHeadObjId(hb->getObjId());
            line->setHeadNode(hn);
        }
        if (tb) {
            line->setTailObjId(tb->getObjId());
            line->setTailNode(tn);
        }
        return add(line);
    }
    static int attachments(const Connectable* c, const Line* line) {
        const auto& list = c->getConnectors();
        return static_cast<int>(std::count(list.begin(), list.end(), line));
    }
    void moveSelection(CSize offset) { view.getCollection().execute(eMove, &offset); }
    CPoint pixel(CPoint units) const { return view.zpFu(view.getClientPos(units)); }
};

} // namespace

TEST_F(LineTest, InitAttachesRegisteredConnectablesAndFreesOtherEnds) {
    TestBox* a = box({10, 10, 30, 20});
    Shape* notConnectable = add(new TestShape(newId(), &view, cStateLayer));
    Line* line = lineBetween({30, 15}, a, cRight, {60, 40});
    EXPECT_EQ(line->getHeadObj(), a);
    EXPECT_EQ(attachments(a, line), 1);

    auto* orphan = new Line(newId(), &view, {5, 5}, {9, 9});
    orphan->setHeadObjId(999);
    orphan->setTailObjId(notConnectable->getObjId());
    add(orphan);
    EXPECT_EQ(orphan->getHeadObj(), nullptr);
    EXPECT_EQ(orphan->getTailObj(), nullptr);
    EXPECT_EQ(orphan->getHeadObjId(), 0);
    EXPECT_EQ(orphan->getTailObjId(), 0);
    EXPECT_EQ(orphan->getHead(), CPoint(5, 5));
}

TEST_F(LineTest, AttachedEndsFollowOrLetGoDependingOnWhatTheSelectionHolds) {
    TestBox* a = box({10, 10, 30, 20});
    TestBox* b = box({50, 10, 70, 20});
    Line* line = lineBetween({30, 15}, a, cRight, {60, 10}, b, cTop);

    // The state alone: the end follows its anchor.
    view.getCollection().add(a);
    moveSelection({5, 7});
    EXPECT_EQ(line->getHead(), CPoint(35, 22));
    EXPECT_EQ(line->getTail(), CPoint(60, 10));
    EXPECT_TRUE(line->isClientPt(pixel({35, 22}))); // region rebuilt at the new place

    // State and line together, the state moving first: a recalculation would add the
    // offset twice.
    view.getCollection().add(line);
    moveSelection({4, 4});
    EXPECT_EQ(line->getHead(), CPoint(39, 26));
    EXPECT_EQ(line->getHeadObj(), a);
    EXPECT_EQ(attachments(a, line), 1);
    EXPECT_EQ(line->getTailObj(), nullptr); // b stayed behind
    EXPECT_EQ(line->getTailObjId(), 0);
    EXPECT_EQ(attachments(b, line), 0);

    // The line alone lets go of a too, and a no longer drags it.
    view.getCollection().clear();
    view.getCollection().add(line);
    moveSelection({1, 0});
    EXPECT_EQ(line->getHeadObj(), nullptr);
    EXPECT_EQ(attachments(a, line), 0);
    view.getCollection().clear();
    view.getCollection().add(a);
    moveSelection({1, 1});
    EXPECT_EQ(line->getHead(), CPoint(40, 26));
}

TEST_F(LineTest, SelfLineMovedAloneLetsGoOfBothAttachments) {
    TestBox* a = box({10, 10, 30, 20});
    Line* line = lineBetween({30, 15}, a, cRight, {20, 20}, a, cBottom);
    EXPECT_EQ(attachments(a, line), 2);
    view.getCollection().add(line);
    moveSelection({0, 5});
    EXPECT_EQ(attachments(a, line), 0);
    delete line;
    view.getCollection().add(a);
    moveSelection({1, 0}); // would reach the dead line if an entry were left
    EXPECT_TRUE(a->getConnectors().empty());
}

TEST_F(LineTest, PastedWithoutItsShapesTheEndsAreFree) {
    Line line(150, nullptr, {1, 1}, {5, 5});
    line.setHeadObjId(101);
    line.setTailObjId(102);
    std::map<long, long> idMap{{150, 250}, {101, 201}};
    EXPECT_TRUE(line.reBirth(idMap));
    EXPECT_EQ(line.getObjId(), 250);
    EXPECT_EQ(line.getHeadObjId(), 201);
    EXPECT_EQ(line.getTailObjId(), 0);
    EXPECT_EQ(idMap.count(102), 0u); // no entry made up for the missing shape
}

TEST_F(LineTest, HitRegionIsTheBandAndBothHandles) {
    // (10, 10)-(30, 10) at zoom 6: pixels (60, 60)-(180, 60).
    Line* line = add(new Line(newId(), &view, {10, 10}, {30, 10}));
    EXPECT_TRUE(line->isClientPt({120, 63}));
    EXPECT_TRUE(line->isClientPt({120, 57}));
    EXPECT_FALSE(line->isClientPt({120, 66}));
    EXPECT_TRUE(line->isClientPt({57, 57}));  // head square, off the band
    EXPECT_TRUE(line->isClientPt({183, 63})); // tail square: 7 by 7 pixels
    EXPECT_FALSE(line->isClientPt({56, 60}));
    EXPECT_FALSE(line->isClientPt({184, 60}));

    // The next drawing after a zoom or scroll change rebuilds it: zoom 4, scrolled by 5 and
    // 2 units, the line is at pixels (20, 32)-(100, 32).
    view.setZoom(4);
    view.setScrollPosition({20, 8});
    RecordingDC dc;
    line->draw(&dc);
    EXPECT_EQ(dc.matching("MoveTo"), std::vector<std::string>{"MoveTo 20 32"});
    EXPECT_TRUE(line->isClientPt({60, 35}));
    EXPECT_TRUE(line->isClientPt({17, 29}));
    EXPECT_FALSE(line->isClientPt({60, 37}));
    EXPECT_FALSE(line->isClientPt({120, 57})); // where it was before
}

TEST_F(LineTest, DrawsWithItsPenAndBlueHandlesWhenSelected) {
    Line* line = add(new Line(newId(), &view, {10, 10}, {30, 10}));
    RecordingDC dc;
    line->draw(&dc);
    const Pen pen = CDefaultSettingDlg::CreateLinePen(1, 3);
    EXPECT_EQ(dc.matching("Pen").front(), "Pen " + RecordingDC::describe(pen));
    EXPECT_EQ(dc.count("FillRect"), 0);

    dc.clear();
    view.getCollection().add(line);
    line->draw(&dc);
    EXPECT_EQ(dc.matching("FillRect"),
              (std::vector<std::string>{"FillRect 57 57 64 64 Solid 0xff0000",
                                        "FillRect 177 57 184 64 Solid 0xff0000"}));
}

TEST_F(LineTest, EndDraggedOntoAnAnchorAttachesThere) {
    TestBox* a = box({10, 10, 30, 20}); // right anchor (30, 15): pixel (180, 90)
    Line* line = add(new Line(newId(), &view, {60, 40}, {80, 40}));
    wnd.moveTo({178, 91});
    wnd.releaseAt({178, 91});
    line->onLButtonDown(0, {360, 240});
    EXPECT_EQ(line->getHeadObj(), a);
    EXPECT_EQ(line->getHeadObjId(), a->getObjId());
    EXPECT_EQ(line->getHeadNode(), cRight);
    EXPECT_EQ(line->getHead(), CPoint(30, 15));
    EXPECT_EQ(attachments(a, line), 1);
    EXPECT_TRUE(view.getCollection().find(line));
    // The rubber line went to the snapped point (2 pixels left of a right anchor), and the
    // feedback and the anchor marker were both removed again.
    EXPECT_EQ(wnd.overlay.count("LineTo 178 90"), 2);
    EXPECT_EQ(wnd.overlay.matching("Rectangle"),
              (std::vector<std::string>{"Rectangle 172 84 184 96", "Rectangle 172 84 184 96"}));
}

TEST_F(LineTest, EndDragsCancelledOntoTheOtherEndOrAwayFromAnchors) {
    TestBox* a = box({10, 10, 30, 20});
    Line* line = lineBetween({30, 15}, a, cRight, {60, 40});
    wnd.moveTo({300, 300});
    wnd.pressEscape();
    line->onLButtonDown(0, {180, 90});
    EXPECT_EQ(line->getHead(), CPoint(30, 15));
    EXPECT_EQ(line->getHeadObj(), a);
    EXPECT_EQ(wnd.overlay.count("LineTo"), 2); // drawn once, erased once

    // Onto the other end: degenerate, nothing changes.
    wnd.moveTo({360, 240});
    wnd.releaseAt({360, 240});
    line->onLButtonDown(0, {180, 90});
    EXPECT_EQ(line->getHead(), CPoint(30, 15));
    EXPECT_EQ(attachments(a, line), 1);

    // Away from every anchor: the end comes free, snapped to units.
    wnd.moveTo({301, 299});
    wnd.releaseAt({301, 299});
    line->onLButtonDown(0, {180, 90});
    EXPECT_EQ(line->getHeadObj(), nullptr);
    EXPECT_EQ(line->getHead(), CPoint(50, 50));
    EXPECT_EQ(attachments(a, line), 0);
}

TEST_F(LineTest, BodyDragMovesTheSelectionAndAClickAloneDoesNot) {
    TestBox* a = box({10, 10, 30, 20});
    TestBox* other = box({100, 100, 110, 110});
    Line* line = lineBetween({30, 15}, a, cRight, {60, 15});
    view.getCollection().add(other);

    wnd.releaseAt({270, 90});
    line->onLButtonDown(0, {270, 90}); // a click on the middle
    EXPECT_EQ(line->getHeadObj(), a);
    EXPECT_EQ(line->getHead(), CPoint(30, 15));

    wnd.moveTo({282, 96});
    wnd.releaseAt({282, 96});
    line->onLButtonDown(0, {270, 90});
    EXPECT_EQ(line->getHead(), CPoint(32, 16));
    EXPECT_EQ(line->getTail(), CPoint(62, 16));
    EXPECT_EQ(other->getRect(), CRect(102, 101, 112, 111));
    EXPECT_EQ(line->getHeadObj(), nullptr);
    EXPECT_EQ(attachments(a, line), 0);
}

TEST_F(LineTest, DestroyingTheLineOrTheWholeChartLeavesNothingDangling) {
    auto chart = std::make_unique<LayoutMgr>();
    ModelMgr* mm = chart->getModelMgr();
    // The line comes first in the list, so it dies before the shapes it joins.
    auto* line = new Line(mm->getNewId(), chart.get(), {30, 15}, {50, 10});
    auto* a = new TestBox(mm->getNewId(), chart.get(), {10, 10, 30, 20});
    auto* b = new TestBox(mm->getNewId(), chart.get(), {40, 10, 60, 20});
    line->setHeadObjId(a->getObjId());
    line->setHeadNode(cRight);
    line->setTailObjId(b->getObjId());
    line->setTailNode(cTop);
    mm->getShapeList() = {line, a, b};
    mm->joinShapes();
    ASSERT_EQ(attachments(a, line), 1);
    chart->getCollection().add(line);
    chart->getCollection().add(a);
    chart.reset();

    // A destroyed shape leaves a free end where it was.
    TestBox* c = box({10, 10, 30, 20});
    Line* kept = lineBetween({30, 15}, c, cRight, {60, 40});
    delete c;
    EXPECT_EQ(kept->getHeadObj(), nullptr);
    EXPECT_EQ(kept->getHeadObjId(), 0);
    view.getCollection().add(kept);
    moveSelection({1, 1}); // must not reach the dead shape
    EXPECT_EQ(kept->getHead(), CPoint(31, 16));
}

TEST_F(LineTest, ContextMenuDeletesOnYesAndEditsThePen) {
    Line* line = add(new Line(newId(), &view, {10, 10}, {30, 10}));
    line->onContextMenuAction(cmd::DeleteLine); // default answer: No
    ASSERT_EQ(fake.messages.shown, std::vector<std::string>{"Please confirm deletion of line."});
    EXPECT_EQ(fake.messages.icons.front(), MsgIcon::Question);
    EXPECT_EQ(view.getModelMgr()->getShapeList().size(), 1u);

    line->onContextMenuAction(cmd::Properties); // cancelled
    EXPECT_EQ(line->getPenColor(), 3);
    fake.dialogs.onLine = [](LineProperties& p) {
        EXPECT_EQ(p.penColor, 3);
        EXPECT_EQ(p.penStyle, 1);
        p.penColor = 7;
        p.penStyle = 4;
        return true;
    };
    line->onContextMenuAction(cmd::Properties);
    EXPECT_EQ(line->getPenColor(), 7);
    EXPECT_EQ(line->getPenStyle(), 4);

    fake.messages.answers = {MsgResult::Yes};
    line->onContextMenuAction(cmd::DeleteLine);
    EXPECT_TRUE(view.getModelMgr()->getShapeList().empty());
}
