#include "model/line.h"
#include "platform/command_ids.h"

#include "tests/model/chart_fixture.h"
#include "tests/model/test_box.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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
    Line* plain() { return add(new Line(newId(), &view, {10, 10}, {30, 10})); }
    static int attachments(const Connectable* c, const Line* line) {
        const auto& list = c->getConnectors();
        return static_cast<int>(std::count(list.begin(), list.end(), line));
    }
    // Where the head is, what it hangs on (by pointer and id) and how often a lists the line.
    static auto head(const Line* l, const Connectable* a) {
        return std::tuple(l->getHead(), l->getHeadObj(), l->getHeadObjId(), attachments(a, l));
    }
    void moveSelection(std::initializer_list<Shape*> shapes, CSize offset) {
        view.getCollection().clear();
        for (Shape* s : shapes)
            view.getCollection().add(s);
        view.getCollection().execute(eMove, &offset);
    }
};

} // namespace

TEST_F(LineTest, InitAttachesRegisteredConnectablesAndFreesOtherEnds) {
    TestBox* a = box({10, 10, 30, 20});
    Shape* notConnectable = add(new TestShape(newId(), &view, cStateLayer));
    Line* line = lineBetween({30, 15}, a, cRight, {60, 40});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(30, 15), a, a->getObjId(), 1));
    auto* orphan = new Line(newId(), &view, {5, 5}, {9, 9});
    orphan->setHeadObjId(999);
    orphan->setTailObjId(notConnectable->getObjId());
    add(orphan);
    EXPECT_EQ(head(orphan, a), std::tuple(CPoint(5, 5), nullptr, 0, 0));
    EXPECT_EQ(std::tuple(orphan->getTailObj(), orphan->getTailObjId()), std::tuple(nullptr, 0L));
}

TEST_F(LineTest, AttachedEndsFollowOrLetGoDependingOnWhatTheSelectionHolds) {
    TestBox* a = box({10, 10, 30, 20});
    TestBox* b = box({50, 10, 70, 20});
    Line* line = lineBetween({30, 15}, a, cRight, {60, 10}, b, cTop);
    moveSelection({a}, {5, 7}); // the state alone: the end follows its anchor
    EXPECT_EQ(head(line, a), std::tuple(CPoint(35, 22), a, a->getObjId(), 1));
    EXPECT_EQ(line->getTail(), CPoint(60, 10));
    EXPECT_TRUE(line->isClientPt(view.zpFu(view.getClientPos({35, 22})))); // region rebuilt
    // State and line, the state moving first: a recalculation would add the offset twice.
    moveSelection({a, line}, {4, 4});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(39, 26), a, a->getObjId(), 1));
    EXPECT_EQ(std::tuple(line->getTailObj(), line->getTailObjId(), attachments(b, line)),
              std::tuple(nullptr, 0, 0)); // b stayed behind
    // The line alone lets go of a too, and a no longer drags it.
    moveSelection({line}, {1, 0});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(40, 26), nullptr, 0, 0));
    moveSelection({a}, {1, 1});
    EXPECT_EQ(line->getHead(), CPoint(40, 26));
}

TEST_F(LineTest, SelfLineMovedAloneLetsGoOfBothAttachments) {
    TestBox* a = box({10, 10, 30, 20});
    Line* line = lineBetween({30, 15}, a, cRight, {20, 20}, a, cBottom);
    EXPECT_EQ(attachments(a, line), 2);
    moveSelection({line}, {0, 5});
    EXPECT_EQ(attachments(a, line), 0);
    delete line;
    moveSelection({a}, {1, 0}); // would reach the dead line if an entry were left
    EXPECT_TRUE(a->getConnectors().empty());
}

TEST_F(LineTest, PastedWithoutItsShapesTheEndsAreFree) {
    Line line(150, nullptr, {1, 1}, {5, 5});
    line.setHeadObjId(101);
    line.setTailObjId(102);
    std::map<long, long> idMap{{150, 250}, {101, 201}};
    EXPECT_TRUE(line.reBirth(idMap));
    EXPECT_EQ(std::tuple(line.getObjId(), line.getHeadObjId(), line.getTailObjId()),
              std::tuple(250, 201, 0));
    EXPECT_EQ(idMap.count(102), 0u); // no entry made up for the missing shape
}

TEST_F(LineTest, HitRegionIsTheBandAndBothHandlesAndMovesWithTheView) {
    // (10, 10)-(30, 10) at zoom 6: pixels (60, 60)-(180, 60); 7-by-7 squares at both ends.
    Line* line = plain();
    expectHits(line, {{120, 63}, {120, 57}, {57, 57}, {183, 63}}, {{120, 66}, {56, 60}, {184, 60}});
    // The next drawing after a zoom or scroll change rebuilds it: zoom 4, scrolled by 5 and
    // 2 units, the line is at pixels (20, 32)-(100, 32).
    view.setZoom(4);
    view.setScrollPosition({20, 8});
    RecordingDC dc;
    line->draw(&dc);
    EXPECT_EQ(dc.matching("MoveTo"), std::vector<std::string>{"MoveTo 20 32"});
    expectHits(line, {{60, 35}, {17, 29}}, {{60, 37}, {120, 57}});
}

TEST_F(LineTest, DrawsWithItsPenAndBlueHandlesWhenSelected) {
    Line* line = plain();
    RecordingDC dc;
    line->draw(&dc);
    EXPECT_EQ(dc.matching("Pen").front(),
              "Pen " + RecordingDC::describe(CDefaultSettingDlg::CreateLinePen(1, 3)));
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
    wnd.dragTo({178, 91});
    line->onLButtonDown(0, {360, 240});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(30, 15), a, a->getObjId(), 1));
    EXPECT_EQ(line->getHeadNode(), cRight);
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
    EXPECT_EQ(head(line, a), std::tuple(CPoint(30, 15), a, a->getObjId(), 1));
    EXPECT_EQ(wnd.overlay.count("LineTo"), 2); // drawn once, erased once
    wnd.dragTo({360, 240});                    // onto the other end: degenerate, nothing changes
    line->onLButtonDown(0, {180, 90});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(30, 15), a, a->getObjId(), 1));
    wnd.dragTo({301, 299}); // away from every anchor: the end comes free, snapped to units
    line->onLButtonDown(0, {180, 90});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(50, 50), nullptr, 0, 0));
}

TEST_F(LineTest, BodyDragMovesTheSelectionAndAClickAloneDoesNot) {
    TestBox* a = box({10, 10, 30, 20});
    TestBox* other = box({100, 100, 110, 110});
    Line* line = lineBetween({30, 15}, a, cRight, {60, 15});
    view.getCollection().add(other);
    wnd.releaseAt({270, 90});
    line->onLButtonDown(0, {270, 90}); // a click on the middle
    EXPECT_EQ(head(line, a), std::tuple(CPoint(30, 15), a, a->getObjId(), 1));
    wnd.dragTo({282, 96});
    line->onLButtonDown(0, {270, 90});
    EXPECT_EQ(head(line, a), std::tuple(CPoint(32, 16), nullptr, 0, 0));
    EXPECT_EQ(line->getTail(), CPoint(62, 16));
    EXPECT_EQ(other->getRect(), CRect(102, 101, 112, 111));
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
    EXPECT_EQ(std::tuple(kept->getHeadObj(), kept->getHeadObjId()), std::tuple(nullptr, 0L));
    moveSelection({kept}, {1, 1}); // must not reach the dead shape
    EXPECT_EQ(kept->getHead(), CPoint(31, 16));
}

TEST_F(LineTest, ContextMenuDeletesOnYesAndEditsThePen) {
    Line* line = plain();
    line->onContextMenuAction(cmd::DeleteLine); // default answer: No
    ASSERT_EQ(fake.messages.shown, std::vector<std::string>{"Please confirm deletion of line."});
    EXPECT_EQ(fake.messages.icons.front(), MsgIcon::Question);
    EXPECT_TRUE(listed(line));
    line->onContextMenuAction(cmd::Properties); // cancelled
    EXPECT_EQ(line->getPenColor(), 3);
    fake.dialogs.onLine = [](LineProperties& p) {
        EXPECT_EQ(std::tuple(p.penColor, p.penStyle), std::tuple(3, 1));
        p.penColor = 7;
        p.penStyle = 4;
        return true;
    };
    line->onContextMenuAction(cmd::Properties);
    EXPECT_EQ(std::tuple(line->getPenColor(), line->getPenStyle()), std::tuple(7, 4));
    fake.messages.answers = {MsgResult::Yes};
    line->onContextMenuAction(cmd::DeleteLine);
    EXPECT_TRUE(view.getModelMgr()->getShapeList().empty());
}
