// Editing a chart with the mouse, below the window system: clicks, rubber bands, new
// transitions from anchors, inserting, menus, deleting and layering, on a scripted window.

#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"
#include "view/hidden_window.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>

namespace {

class MouseEditingTest : public ChartTest {
protected:
    MouseEditingTest() {
        view.setChangeListener([this] { ++pushes; });
        a = addState({10, 10, 30, 26});
        b = addState({60, 10, 80, 26});
    }

    GenericState* addState(const CRect& r) { return add(new GenericState(newId(), &view, r, "S")); }
    ModelMgr& chart() { return *view.getModelMgr(); }
    CPoint pixel(CPoint units) { return view.zpFu(view.getClientPos(units)); }
    CPoint anchor(State* s, NODE n) { return view.anchorPixel(s->getAnchorPoint(n), n); }
    std::string file() {
        std::ostringstream out;
        view.write(out);
        return out.str();
    }
    std::vector<Transition*> transitions() {
        std::vector<Transition*> found;
        for (Shape* s : chart().getShapeList())
            if (auto* t = dynamic_cast<Transition*>(s))
                found.push_back(t);
        return found;
    }
    // Hovers over the anchor (which highlights it), presses there and plays the rest.
    void drawFrom(State* s, NODE n, std::deque<MouseEvent> rest) {
        const CPoint p = anchor(s, n);
        view.onMouseMove(p);
        EXPECT_TRUE(view.isStateAnchorNodeHighlighted());
        wnd.script = std::move(rest);
        view.onLButtonDown(MK_LBUTTON, p);
    }

    // The tracker ends where the last move took it.
    static std::deque<MouseEvent> dropAt(CPoint p) {
        return {{MouseEvent::Move, p}, {MouseEvent::LButtonUp, p}};
    }

    GenericState* a = nullptr;
    GenericState* b = nullptr;
    int pushes = 0;
};

const NODE cRightMiddle(2, 2);
const NODE cLeftMiddle(2, 4);
const NODE cTopLeft(1, 1);

TEST_F(MouseEditingTest, NewTransitionsFromAnAnchorEndWhereTheyAreDropped) {
    auto* initial = add(new InitialState(newId(), &view, CRect(2, 40, 6, 44)));
    const NODE initialNode = initial->getNodes().begin()->first;
    const CPoint escape(-1, -1); // stands for Escape after moving onto b's anchor
    const struct Case {
        const char* name;
        State* from;
        NODE fromNode;
        CPoint drop;
        bool made;
        EndableState* tail;
        NODE tailNode;
    } cases[] = {
        {"to another state's anchor", a, cRightMiddle, anchor(b, cLeftMiddle), true, b,
         cLeftMiddle},
        {"to another anchor of its state", a, cRightMiddle, anchor(a, cTopLeft), true, a, cTopLeft},
        {"back onto its own anchor", a, cRightMiddle, anchor(a, cRightMiddle), false, nullptr, {}},
        {"onto empty space: a free end", a, cRightMiddle, pixel({45, 60}), true, nullptr, {}},
        {"back onto the initial state", initial, initialNode, pixel({4, 42}), false, nullptr, {}},
        {"cancelled with Escape", a, cRightMiddle, escape, false, nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (Transition* t : transitions())
            delete t;
        const std::string before = file();
        if (c.drop == escape)
            drawFrom(c.from, c.fromNode,
                     {{MouseEvent::Move, anchor(b, cLeftMiddle)}, {MouseEvent::Escape, {}}});
        else
            drawFrom(c.from, c.fromNode, dropAt(c.drop));
        ASSERT_EQ(transitions().size(), c.made ? 1u : 0u);
        EXPECT_FALSE(view.isStateAnchorNodeHighlighted()) << "the markers go with the drag";
        if (!c.made) {
            EXPECT_EQ(file(), before);
            continue;
        }
        Transition* t = transitions().front();
        EXPECT_EQ(dynamic_cast<Shape*>(t->getHeadState()), dynamic_cast<Shape*>(c.from));
        EXPECT_EQ(t->getHeadNode(), c.fromNode);
        EXPECT_EQ(t->getTailState(), c.tail);
        if (c.tail)
            EXPECT_EQ(t->getTailNode(), c.tailNode);
        else
            EXPECT_EQ(t->getTailLink()->getTailPt(), CPoint(45, 60));
    }
}

TEST_F(MouseEditingTest, ClicksSelectShiftTogglesAndCtrlDrawsABandExceptOnTransitions) {
    Collection& selection = chart().getCollection();
    auto clickOn = [&](Shape* s, UINT flags) {
        const CRect r = dynamic_cast<RectShape*>(s)->getRect();
        view.onLButtonDown(MK_LBUTTON | flags, pixel(r.CenterPoint())); // no script: no drag
    };
    clickOn(a, 0);
    EXPECT_TRUE(selection.find(a));
    clickOn(b, MK_SHIFT);
    EXPECT_TRUE(selection.find(a) && selection.find(b)) << "Shift adds";
    clickOn(b, MK_SHIFT);
    EXPECT_TRUE(selection.find(a) && !selection.find(b)) << "Shift on a selected shape removes it";
    clickOn(b, 0);
    EXPECT_TRUE(!selection.find(a) && selection.find(b)) << "a plain click selects only it";

    // Ctrl on a state: a band from inside it around both states; nothing moves.
    chart().clearSelection();
    const CRect before = a->getRect();
    wnd.script = {{MouseEvent::Move, pixel({90, 40})}, {MouseEvent::LButtonUp, pixel({90, 40})}};
    view.onLButtonDown(MK_LBUTTON | MK_CONTROL, pixel({5, 5}));
    EXPECT_TRUE(selection.find(a) && selection.find(b)) << "a band from empty space";
    chart().clearSelection();
    wnd.script = {{MouseEvent::LButtonUp, pixel({90, 40})}};
    view.onLButtonDown(MK_LBUTTON | MK_CONTROL, pixel({20, 10}));
    EXPECT_TRUE(selection.find(b)) << "a band from inside a state";
    EXPECT_EQ(a->getRect(), before);

    // Ctrl on a transition: the transition's own click, no band.
    chart().clearSelection();
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    wnd.script = {{MouseEvent::LButtonUp, pixel({90, 40})}};
    view.onLButtonDown(MK_LBUTTON | MK_CONTROL, pixel({45, 18}));
    EXPECT_TRUE(selection.find(t));
    EXPECT_FALSE(selection.find(a) || selection.find(b));
}

TEST_F(MouseEditingTest, ToolsInsertTheirShapeWhereTheyAreDropped) {
    const CPoint at = pixel({100, 50});
    // Where a shape lies: a box's corners, a route's or a line's ends.
    const auto ends = [](Shape* s) -> std::pair<CPoint, CPoint> {
        if (auto* r = dynamic_cast<RectShape*>(s))
            return {r->getRect().TopLeft(), r->getRect().BottomRight()};
        if (auto* t = dynamic_cast<Transition*>(s))
            return {t->getHeadLink()->getHeadPt(), t->getTailLink()->getTailPt()};
        if (auto* l = dynamic_cast<Line*>(s))
            return {l->getHead(), l->getTail()};
        return {};
    };
    const struct {
        unsigned tool;
        bool dragsAtOnce;
        std::string type;
        std::pair<CPoint, CPoint> ends;
    } tools[] = {
        {cmd::InsertState, true, "GenericState", {{100, 50}, {110, 58}}},
        {cmd::InsertInitialState, true, "InitialState", {{100, 50}, {104, 54}}},
        {cmd::InsertFinalState, true, "FinalState", {{100, 50}, {104, 54}}},
        {cmd::InsertNote, true, "Note", {{100, 50}, {112, 56}}},
        {cmd::NewTransition, false, "Transition", {{100, 46}, {100, 54}}},
        {cmd::InsertLine, true, "Line", {{92, 58}, {108, 42}}},
    };
    for (const auto& t : tools) {
        SCOPED_TRACE(t.tool);
        const std::size_t count = chart().getShapeList().size();
        ASSERT_TRUE(view.onCommand(t.tool));
        EXPECT_EQ(view.getTool(), t.tool);
        EXPECT_EQ(view.isToolDragging(), t.dragsAtOnce);
        view.onCommand(cmd::StartToolDrag); // the toolbar saw the mouse move
        ASSERT_TRUE(view.isToolDragging());
        view.dropTool(at);
        EXPECT_FALSE(view.isToolDragging());
        EXPECT_EQ(view.getTool(), 0u);
        ASSERT_EQ(chart().getShapeList().size(), count + 1);
        Shape* placed = chart().getShapeList().back();
        EXPECT_EQ(placed->getType(), t.type);
        EXPECT_EQ(ends(placed), t.ends);
    }
    EXPECT_EQ(dynamic_cast<GenericState*>(chart().getShapeList()[2])->getName(), "Idle");
    // Normal (Escape) ends a drag without inserting anything.
    const std::string before = file();
    view.onCommand(cmd::InsertState);
    view.onCommand(cmd::Normal);
    EXPECT_FALSE(view.isToolDragging());
    view.dropTool(at);
    EXPECT_EQ(file(), before);
}

TEST_F(MouseEditingTest, TheChartMenuInsertsWhereItWasOpened) {
    wnd.menuAnswers = {cmd::InsertNoteAt};
    view.onContextMenu(pixel({40, 70}));
    ASSERT_EQ(wnd.menus.size(), 1u);
    const std::vector<MenuItem>& menu = wnd.menus.front();
    EXPECT_EQ(menu.size(), 12u);
    EXPECT_TRUE(menu.back().enabled) << "CodeGen Properties";
    auto* note = dynamic_cast<Note*>(chart().getShapeList().back());
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->getRect().TopLeft(), CPoint(40, 70));
    EXPECT_GE(pushes, 1);
}

TEST_F(MouseEditingTest, ShapeMenusShowTheirItemsStatesAndReachTheShape) {
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    auto* note = add(new Note(newId(), &view, CRect(10, 60, 22, 66)));
    auto* line = add(new Line(newId(), &view, CPoint(30, 60), CPoint(40, 70)));
    const struct {
        Shape* shape;
        std::size_t items;
    } kinds[] = {{a, 8}, {t, 8}, {note, 8}, {line, 6}};
    for (const auto& k : kinds)
        EXPECT_EQ(HiddenWindow::menuFor(k.shape).size(), k.items);

    auto state = [&](Shape* s, unsigned id) {
        for (const MenuItem& item : HiddenWindow::menuFor(s))
            if (item.id == id)
                return item;
        return MenuItem{};
    };
    EXPECT_TRUE(state(t, cmd::AddMessage).enabled);
    EXPECT_FALSE(state(t, cmd::DeleteMessage).enabled);
    EXPECT_TRUE(state(a, cmd::ShowAnchors).checked);

    // Add Message through the transition's menu, opened with a right click on it.
    wnd.menuAnswers = {cmd::AddMessage};
    const int before = pushes;
    ASSERT_TRUE(chart().onContextMenu(pixel({45, 18})));
    ASSERT_NE(t->getMesg(), nullptr);
    EXPECT_EQ(pushes, before + 1);
    EXPECT_TRUE(chart().getCollection().find(t)) << "the right click selected it";
    EXPECT_EQ(HiddenWindow::menuFor(t->getMesg()).size(), 9u);
    EXPECT_FALSE(state(t, cmd::AddMessage).enabled);
    EXPECT_TRUE(state(t, cmd::DeleteMessage).enabled);
    EXPECT_FALSE(state(t, cmd::AlignMessage).enabled) << "a new label sits aligned";
}

TEST_F(MouseEditingTest, DeletingAsksFirstAndTakesLabelsAlong) {
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    CPoint at;
    chart().createNewMesg(at, t);
    chart().selectAll();
    const std::string before = file();

    view.onCommand(cmd::EditDelete); // the default answer: No
    EXPECT_EQ(file(), before);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown.front(),
              "This will delete all the selected objects.\n\nDo you want to continue ?");
    EXPECT_EQ(fake.messages.icons.front(), MsgIcon::Stop);

    chart().clearSelection();
    chart().getCollection().add(t);
    fake.messages.answers = {MsgResult::Yes};
    view.onCommand(cmd::EditDelete);
    EXPECT_EQ(chart().getShapeList().size(), 2u) << "the transition and its label went";
    EXPECT_TRUE(a->getHeads().empty());
    EXPECT_TRUE(chart().getCollection().isEmpty());
}

TEST_F(MouseEditingTest, BringToFrontAndSendToBackStayWithinTheLayer) {
    GenericState* c = addState({10, 40, 30, 56});
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    auto states = [&] {
        std::vector<Shape*> order;
        for (Shape* s : chart().getShapeList())
            if (s->getZorder() == cStateLayer)
                order.push_back(s);
        return order;
    };
    chart().getCollection().add(a);
    view.onCommand(cmd::BringToFront);
    EXPECT_EQ(states(), (std::vector<Shape*>{b, c, a}));
    EXPECT_EQ(chart().getShapeList().back(), t) << "the transition layer is untouched";
    chart().clearSelection();
    chart().getCollection().add(c);
    view.onCommand(cmd::SendToBack);
    EXPECT_EQ(states(), (std::vector<Shape*>{c, b, a}));
}

} // namespace
