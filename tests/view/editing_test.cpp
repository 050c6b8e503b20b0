// Editing a chart below the window system, on a scripted window: a drawing made with the mouse,
// tools and menus gives the stored chart and undoes step by step; long random edit sessions on
// every example chart undo to the oldest step kept and redo to the last byte; pasting follows
// the clipboard rules whatever the clipboard holds.

#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"
#include "tests/model/route_checks.h"
#include "view/hidden_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

template <class V, class T> bool has(const V& v, const T& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

const NODE cRightMiddle(2, 2), cLeftMiddle(2, 4), cTopLeft(1, 1);

class EditingTest : public ChartTest {
protected:
    GenericState* a = add(new GenericState(newId(), &view, {10, 10, 30, 26}, "S"));
    GenericState* b = add(new GenericState(newId(), &view, {60, 10, 80, 26}, "S"));
    ModelMgr& chart() { return *view.getModelMgr(); }
    std::vector<Shape*>& shapes() { return chart().getShapeList(); }
    std::string text() {
        std::ostringstream out;
        view.write(out);
        return out.str();
    }
    void open(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        view.read(in);
        view.initialUpdate();
    }
    template <class S> std::vector<S*> all() {
        std::vector<S*> found;
        for (Shape* s : shapes())
            if (auto* k = dynamic_cast<S*>(s))
                found.push_back(k);
        return found;
    }
    void selectOnly(Shape* s) {
        chart().clearSelection();
        chart().getCollection().add(s);
    }
    CPoint pixel(CPoint units) { return view.zpFu(view.getClientPos(units)); }
    CPoint anchor(State* s, NODE n) { return view.anchorPixel(s->getAnchorPoint(n), n); }
    // Presses on the state's anchor (hovering first highlights it) and plays the rest.
    void drawFrom(State* s, NODE n, std::deque<MouseEvent> rest) {
        view.onMouseMove(anchor(s, n));
        EXPECT_TRUE(view.isStateAnchorNodeHighlighted());
        wnd.script = std::move(rest);
        view.onLButtonDown(MK_LBUTTON, anchor(s, n));
        EXPECT_FALSE(view.isStateAnchorNodeHighlighted()) << "the markers go with the drag";
    }
    static std::deque<MouseEvent> dropAt(CPoint p) {
        return {{MouseEvent::Move, p}, {MouseEvent::LButtonUp, p}};
    }
    // Deleting from the end: a transition takes its label along.
    void keepFirst(std::size_t n) {
        while (shapes().size() > n)
            delete shapes().back();
    }

    // Every reference resolves to a listed, registered shape that knows of it, and every
    // route keeps its form.
    ::testing::AssertionResult consistent() {
        const std::set<Shape*> listed(shapes().begin(), shapes().end());
        if (listed.size() != shapes().size())
            return ::testing::AssertionFailure() << "a shape is listed twice";
        for (Shape* s : shapes()) {
            if (chart().getShape(s->getObjId()) != s)
                return ::testing::AssertionFailure() << "unregistered id " << s->getObjId();
            if (auto* t = dynamic_cast<Transition*>(s)) {
                auto* head = dynamic_cast<Shape*>(t->getHeadState());
                auto* tail = dynamic_cast<Shape*>(t->getTailState());
                if ((head && (!listed.count(head) || !has(t->getHeadState()->getHeads(), t))) ||
                    (tail && (!listed.count(tail) || !has(t->getTailState()->getTails(), t))))
                    return ::testing::AssertionFailure() << "transition " << t->getObjId();
                if (t->getMesg() &&
                    (!listed.count(t->getMesg()) || t->getMesg()->getTransition() != t))
                    return ::testing::AssertionFailure() << "label of " << t->getObjId();
                if (auto r = routeWellFormed(t->getHeadLink()); !r)
                    return r;
            }
            if (auto* m = dynamic_cast<Mesg*>(s);
                m && (!m->getTransition() || !listed.count(m->getTransition()) ||
                      m->getTransition()->getMesg() != m))
                return ::testing::AssertionFailure() << "label " << m->getObjId();
        }
        return ::testing::AssertionSuccess();
    }

    // One random edit of any kind, as the mouse and the menus make them.
    void randomEdit(Rng& rng, int n) {
        const std::vector<Shape*> list = shapes();
        Shape* any = list.empty() ? nullptr : list[rng.below(static_cast<int>(list.size()))];
        auto* box = dynamic_cast<RectShape*>(any);
        const CSize d(rng.below(25) - 12, rng.below(25) - 12);
        switch (rng.below(10)) {
        case 0: {
            const unsigned tools[] = {cmd::InsertState,        cmd::NewTransition,
                                      cmd::InsertInitialState, cmd::InsertFinalState,
                                      cmd::InsertNote,         cmd::InsertLine};
            chart().insertShape(tools[rng.below(6)], pixel({rng.below(300), rng.below(200)}));
            break;
        }
        case 1: // a drag of whatever lies at a shape's centre
        case 2: // a resize from the bottom-right handle of a selected box
            if (box) {
                selectOnly(box);
                const CRect r = view.zpFu(view.getClientPos(box->getRect()));
                const CPoint from = rng.below(2) ? r.CenterPoint() : r.BottomRight() - CSize(2, 2);
                wnd.script = {{MouseEvent::Move, from + d}, {MouseEvent::LButtonUp, from + d}};
                chart().onLButtonDown(MK_LBUTTON, from);
            }
            break;
        case 3:
            if (any) {
                selectOnly(any);
                chart().deleteSelection(false);
            }
            break;
        case 4: {
            const std::string t = "t" + std::to_string(n);
            fake.dialogs.onText = [t](std::string& s) { return s = t, true; };
            fake.dialogs.onEntryExit = [t](std::string& e, std::string&) { return e = t, true; };
            fake.dialogs.onEvent = [t](std::string& e, std::string& g, std::string&) {
                return e = t, g = "g", true;
            };
            for (unsigned edit : {cmd::EditNote, cmd::EditEntryExit, cmd::EditMesg})
                if (any)
                    any->onContextMenuAction(static_cast<int>(edit));
            break;
        }
        case 5:
            if (any) {
                selectOnly(any);
                chart().changeZorder(rng.below(2) == 0);
            }
            break;
        case 6:
        case 7: // copy some shapes and paste them, or cut one
            if (!list.empty()) {
                chart().clearSelection();
                for (int i = 0; i <= rng.below(3); ++i)
                    chart().getCollection().add(list[rng.below(static_cast<int>(list.size()))]);
                if (rng.below(2)) {
                    chart().copy();
                    chart().paste();
                } else {
                    chart().cut();
                }
            }
            break;
        case 8:
            if (const std::vector<GenericState*> states = all<GenericState>(); states.size() >= 2) {
                auto pick = [&](const std::map<NODE, CPoint>& m) {
                    return std::next(m.begin(), rng.below(static_cast<int>(m.size())))->first;
                };
                GenericState* to = states[rng.below(static_cast<int>(states.size()))];
                chart().createTransition(states[0], to, pick(states[0]->getNodes()),
                                         pick(to->getNodes()), {});
            }
            break;
        default:
            if (auto* t = dynamic_cast<Transition*>(any))
                t->onContextMenuAction(cmd::AddMessage);
            break;
        }
        view.pushUndoAction();
    }
};

TEST_F(EditingTest, RandomEditsUndoToTheOldestStepKeptAndRedoToTheLastByteForByte) {
    for (const auto& entry : std::filesystem::directory_iterator(TAVREN_EXAMPLES)) {
        if (entry.path().extension() != ".tvc")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        keepFirst(0);
        open(entry.path());
        std::vector<std::string> seen = {text()};
        Rng rng(20261207);
        for (int n = 0; n < 60; ++n) {
            randomEdit(rng, n);
            ASSERT_TRUE(consistent()) << "after edit " << n;
            if (text() != seen.back())
                seen.push_back(text());
            ASSERT_LE(view.getHistory().size(), UndoHistory::cLimit);
        }
        ASSERT_GT(seen.size(), UndoHistory::cLimit) << "too few edits changed the chart";
        int undone = 0;
        for (; view.isUndoable(); ++undone) {
            view.undo();
            ASSERT_TRUE(consistent()) << "after undo " << undone;
        }
        EXPECT_EQ(undone, static_cast<int>(UndoHistory::cLimit) - 1);
        EXPECT_EQ(text(), seen[seen.size() - UndoHistory::cLimit]);
        while (view.isRedoable()) {
            view.redo();
            ASSERT_TRUE(consistent());
        }
        EXPECT_EQ(text(), seen.back());
    }
}

// A drawing made step by step with the mouse, tools, menus and clipboard: each step changes the
// chart or leaves it as it was, the result is the stored chart (ends, anchors, routes, order,
// ids and texts), undo walks back through every changed step to the start and redo forward again.
TEST_F(EditingTest, ADrawingGivesTheStoredChartAndUndoesStepByStep) {
    int heard = 0;
    view.setChangeListener([&] { ++heard; });
    view.initialUpdate();
    const auto tool = [&](unsigned id, CPoint at) {
        ASSERT_TRUE(view.onCommand(id));
        view.onCommand(cmd::StartToolDrag); // the toolbar saw the mouse move
        ASSERT_TRUE(view.isToolDragging());
        view.dropTool(pixel(at));
        EXPECT_FALSE(view.isToolDragging() || view.getTool());
    };
    std::vector<std::string> seen = {text()};
    const auto step = [&](bool changes, const std::function<void()>& act) {
        SCOPED_TRACE("step " + std::to_string(seen.size()));
        act();
        view.pushUndoAction();
        EXPECT_EQ(text() != seen.back(), changes);
        EXPECT_TRUE(consistent());
        if (text() != seen.back())
            seen.push_back(text());
    };
    step(true, [&] { view.zoomIn(), tool(cmd::InsertInitialState, {2, 40}); });
    step(true, [&] { drawFrom(a, cRightMiddle, dropAt(anchor(b, cLeftMiddle))); });
    step(true, [&] { drawFrom(a, cRightMiddle, dropAt(anchor(a, cTopLeft))); });
    step(true, [&] { // Add Message through the transition's menu, opened with a right click
        wnd.menuAnswers = {cmd::AddMessage};
        ASSERT_TRUE(chart().onContextMenu(pixel({45, 18})));
        EXPECT_TRUE(chart().getCollection().find(all<Transition>().at(0)));
    });
    step(true, [&] { // a transition and its label without their states: two free ends
        selectOnly(all<Transition>().at(0));
        chart().getCollection().add(all<Mesg>().at(0));
        all<Mesg>().at(0)->getTextHandler()->setData("go", "", "");
        chart().copy();
        const std::string payload = fake.clipboard.formats.at(ModelMgr::cClipboardFormat);
        EXPECT_TRUE(payload.starts_with("BEGIN Transition") && payload.back() == '\0' &&
                    ModelMgr::isClipboardAvailable());
        view.setScrollPosition(CPoint(1200, 600)); // lands in view, by its top left corner
        chart().paste();
        view.setScrollPosition(CPoint(0, 0));
        EXPECT_TRUE(chart().getCollection().find(shapes().back())) << "the pasted label";
    });
    step(false, [&] { // a label alone cannot be pasted: the user is told
        selectOnly(all<Mesg>().at(0));
        chart().copy();
        chart().paste();
        EXPECT_EQ(fake.messages.shown.size(), 1u);
    });
    step(false, [&] { drawFrom(a, cRightMiddle, dropAt(anchor(a, cRightMiddle))); });
    step(true, [&] { drawFrom(a, cRightMiddle, dropAt(pixel({45, 60}))); }); // a free end
    step(false, [&] {
        drawFrom(a, cRightMiddle,
                 {{MouseEvent::Move, anchor(b, cLeftMiddle)}, {MouseEvent::Escape, {}}});
    });
    InitialState* initial = all<InitialState>().at(0);
    step(false, [&] {
        drawFrom(initial, initial->getNodes().begin()->first, dropAt(pixel({4, 42})));
    });
    step(false, [&] { // Delete asks first; the default answer is No.
        chart().selectAll();
        view.onCommand(cmd::EditDelete);
        EXPECT_EQ(fake.messages.icons.back(), MsgIcon::Stop);
    });
    step(true, [&] { // the transition takes its label along
        selectOnly(all<Transition>().at(0));
        fake.messages.answers = {MsgResult::Yes};
        view.onCommand(cmd::EditDelete);
    });
    for (unsigned id : {cmd::InsertState, cmd::InsertFinalState, cmd::InsertNote,
                        cmd::NewTransition, cmd::InsertLine})
        step(true, [&] { tool(id, {100, 50}); });
    step(false, [&] { // Normal (Escape) ends a tool's drag without inserting anything.
        view.onCommand(cmd::InsertState);
        view.onCommand(cmd::Normal);
        EXPECT_FALSE(view.isToolDragging());
        view.dropTool(pixel({100, 50}));
    });
    step(true, [&] { // the chart menu inserts where it was opened
        wnd.menuAnswers = {cmd::InsertNoteAt};
        view.onContextMenu(pixel({40, 70}));
    });
    step(true, [&] { selectOnly(a), view.onCommand(cmd::BringToFront); }); // within its layer
    std::ifstream stored(TAVREN_TEST_DATA "/drawn_chart.tvc", std::ios::binary);
    EXPECT_EQ(text(), std::string(std::istreambuf_iterator<char>(stored), {}));
    for (std::size_t i = seen.size() - 1; i-- > 0;) {
        ASSERT_TRUE(view.isUndoable());
        view.undo();
        EXPECT_EQ(text(), seen[i]) << "undo to step " << i;
    }
    EXPECT_FALSE(view.isUndoable() || view.isCommandEnabled(cmd::EditUndo));
    EXPECT_EQ(view.getZoom(), 6) << "undo brings back the snapshot's zoom";
    for (std::size_t i = 1; i < seen.size(); ++i) {
        view.redo();
        EXPECT_EQ(text(), seen[i]) << "redo to step " << i;
    }
    EXPECT_FALSE(view.isRedoable());
    EXPECT_GE(heard, 14) << "the editor hears of every change";
    view.undo();
    view.onCommand(cmd::SelectAll);
    view.onCommand(cmd::EditCut); // a new edit: the step undone is gone
    view.pushUndoAction();
    EXPECT_FALSE(view.isRedoable());
}

TEST_F(EditingTest, ClicksSelectShiftTogglesAndCtrlDrawsABandExceptOnTransitions) {
    Collection& selection = chart().getCollection();
    const auto selected = [&] { return selection.find(a) * 10 + selection.find(b); };
    const std::tuple<Shape*, UINT, int> clicks[] = {
        {a, 0, 10}, {b, MK_SHIFT, 11}, {b, MK_SHIFT, 10}, {b, 0, 1}};
    for (const auto& [shape, flags, expected] : clicks) { // no script: no drag
        view.onLButtonDown(MK_LBUTTON | flags,
                           pixel(dynamic_cast<RectShape*>(shape)->getRect().CenterPoint()));
        EXPECT_EQ(selected(), expected) << flags;
    }
    // Ctrl: a band from empty space or from inside a state, moving nothing.
    for (const CPoint from : {CPoint(5, 5), CPoint(20, 10)}) {
        chart().clearSelection();
        wnd.script = dropAt(pixel({90, 40}));
        view.onLButtonDown(MK_LBUTTON | MK_CONTROL, pixel(from));
        EXPECT_EQ(selected(), from.x == 5 ? 11 : 1);
        EXPECT_EQ(a->getRect(), CRect(10, 10, 30, 26));
    }
    // Ctrl on a transition: the transition's own click, no band.
    chart().clearSelection();
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    wnd.script = {{MouseEvent::LButtonUp, pixel({90, 40})}};
    view.onLButtonDown(MK_LBUTTON | MK_CONTROL, pixel({45, 18}));
    EXPECT_TRUE(selection.find(t));
    EXPECT_EQ(selected(), 0);
}

TEST_F(EditingTest, MenusShowTheirItemsAndStates) {
    Transition* t = chart().createTransition(a, b, cRightMiddle, cLeftMiddle, {});
    auto* line = add(new Line(newId(), &view, CPoint(130, 60), CPoint(140, 70)));
    auto* note = add(new Note(newId(), &view, CRect(10, 60, 22, 66)));
    auto item = [&](Shape* s, unsigned id) {
        const std::vector<MenuItem> menu = HiddenWindow::menuFor(s);
        const auto at = std::find_if(menu.begin(), menu.end(), [&](auto& i) { return i.id == id; });
        return at == menu.end() ? "none" : at->checked ? "checked" : at->enabled ? "on" : "off";
    };
    EXPECT_EQ(std::string(item(t, cmd::AddMessage)) + item(t, cmd::DeleteMessage), "onoff");
    EXPECT_EQ(std::string(item(a, cmd::ShowAnchors)) + item(note, cmd::EditNote), "checkedon");
    EXPECT_EQ(HiddenWindow::menuFor(line).size(), 6u);
    t->onContextMenuAction(cmd::AddMessage);
    ASSERT_NE(t->getMesg(), nullptr);
    EXPECT_EQ(std::string(item(t, cmd::AddMessage)) + item(t, cmd::DeleteMessage), "offon");
    EXPECT_EQ(std::string(item(t, cmd::AlignMessage)) + item(t->getMesg(), cmd::AlignMesg),
              "offoff")
        << "a new label sits aligned";
    wnd.menuAnswers = {0};
    view.onContextMenu(pixel({40, 70}));
    ASSERT_EQ(wnd.menus.size(), 1u);
    EXPECT_TRUE(wnd.menus.front().back().enabled) << "CodeGen Properties";
}

// The clipboard may hold anything: nothing that is not ours reaches the chart.
TEST_F(EditingTest, HostileClipboardTextsNeverChangeTheChart) {
    selectOnly(a);
    chart().copy();
    const std::string good = fake.clipboard.formats.at(ModelMgr::cClipboardFormat);
    const std::string before = text();
    const std::string hostile[] = {
        "",
        "not ours at all",
        "BEGIN Unknown\r\n1 2 3\r\n",
        good.substr(0, good.size() / 2),                       // truncated
        "BEGIN GenericState\r\n-99999999999 2 3 4\r\n",        // huge
        std::string(good.begin(), good.end() - 1) + "garbage", // no zero byte
        "BEGIN Mesg\r\n101 20\r\n",
        "BEGIN Transition\r\n5 40\r\n0 0 0 0\r\n",
    };
    for (const std::string& t : hostile) {
        fake.clipboard.formats = {{ModelMgr::cClipboardFormat, t}};
        chart().paste();
        EXPECT_TRUE(consistent());
        // What was there before is untouched; only whole shapes may have come in.
        const std::string now = text();
        EXPECT_EQ(now.compare(0, before.find("END DATA"), before, 0, before.find("END DATA")), 0);
        keepFirst(2);
    }
}

} // namespace
