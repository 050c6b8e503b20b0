// A whole chart drawn in the real main window with the mouse and the keyboard alone, saved,
// read back by the library and generated into C++ that compiles.

#include "editor/app/child_frame.h"
#include "editor/app/drag_tool_bar.h"
#include "editor/app/qt_dialogs.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "tests/editor/app/dialog_driver.h"
#include "view/layout_mgr.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

class DrawingTest : public EditorTest {
protected:
    void SetUp() override {
        platform::install(&dialogs);
        ASSERT_TRUE(start());
        frame().mdiArea()->currentSubWindow()->showMaximized();
        settle();
        view = &frame().activeChild()->view();
        vp = view->viewport();
    }

    LayoutMgr& chart() { return view->layout(); }
    std::vector<Shape*>& shapes() { return chart().getModelMgr()->getShapeList(); }
    template <class S> std::vector<S*> all() {
        std::vector<S*> found;
        for (Shape* s : shapes())
            if (auto* k = dynamic_cast<S*>(s))
                found.push_back(k);
        return found;
    }
    QPoint pixel(CPoint units) { return toQ(chart().zpFu(chart().getClientPos(units))); }
    QPoint anchor(State* s, NODE n) { return toQ(chart().anchorPixel(s->getAnchorPoint(n), n)); }
    static QPoint toQ(CPoint p) { return {p.x, p.y}; }
    std::string file() {
        std::ostringstream out;
        chart().write(out);
        return out.str();
    }

    static QMouseEvent* mouse(QWidget* w, QEvent::Type type, QPoint at,
                              Qt::KeyboardModifiers keys = {}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        return new QMouseEvent(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, keys);
    }
    // Moves, releases and keys wait in the queue: the press runs the drag's own mouse loop,
    // which takes them from there.
    void post(QEvent* e, QWidget* to = nullptr) { QCoreApplication::postEvent(to ? to : vp, e); }
    void press(QPoint at, Qt::KeyboardModifiers keys = {}) {
        std::unique_ptr<QMouseEvent> e(mouse(vp, QEvent::MouseButtonPress, at, keys));
        QApplication::sendEvent(vp, e.get());
        settle();
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        post(mouse(vp, QEvent::MouseMove, (from + to) / 2, keys));
        post(mouse(vp, QEvent::MouseMove, to, keys));
        post(mouse(vp, QEvent::MouseButtonRelease, to, keys));
        press(from, keys);
    }
    void click(QPoint at, Qt::KeyboardModifiers keys = {}) { drag(at, at, keys); }
    void hover(QPoint at) {
        std::unique_ptr<QMouseEvent> e(mouse(vp, QEvent::MouseMove, at));
        QApplication::sendEvent(vp, e.get());
    }
    // A drawing tool dragged from its toolbar button into the chart.
    void dropTool(unsigned tool, QPoint at) {
        auto* button = qobject_cast<QToolButton*>(
            frame().drawingToolBar()->widgetForAction(frame().action(tool)));
        ASSERT_NE(button, nullptr);
        const QPoint c = button->rect().center();
        std::unique_ptr<QMouseEvent> e(mouse(button, QEvent::MouseButtonPress, c));
        QApplication::sendEvent(button, e.get());
        e.reset(mouse(button, QEvent::MouseMove, c + QPoint(4, 0)));
        QApplication::sendEvent(button, e.get());
        e.reset(mouse(vp, QEvent::MouseMove, at));
        QApplication::sendEvent(vp, e.get());
        e.reset(mouse(vp, QEvent::MouseButtonRelease, at));
        QApplication::sendEvent(vp, e.get());
        settle();
    }
    // Runs script on the next modal dialog or pop-up menu while open() shows it.
    template <class W> void whenShown(std::function<void(W&)> script, std::function<void()> open) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* w = std::is_same_v<W, QMenu> ? QApplication::activePopupWidget()
                                                  : QApplication::activeModalWidget();
            if (auto* shown = qobject_cast<W*>(w)) {
                seen = true;
                script(*shown);
            }
        });
        open();
        EXPECT_TRUE(seen) << "nothing was shown";
    }
    void choose(unsigned id, QPoint at) {
        whenShown<QMenu>(
            [id](QMenu& menu) {
                QAction* act = menu.findChild<QAction*>(QString("cmd_%1").arg(id));
                ASSERT_NE(act, nullptr);
                ASSERT_TRUE(act->isEnabled());
                QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(act).center());
            },
            [&] {
                QContextMenuEvent e(QContextMenuEvent::Mouse, at, vp->mapToGlobal(at));
                QApplication::sendEvent(vp, &e);
            });
    }
    void doubleClick(QPoint at, std::function<void(QDialog&)> script) {
        click(at);
        whenShown<QDialog>(script, [&] {
            std::unique_ptr<QMouseEvent> e(mouse(vp, QEvent::MouseButtonDblClick, at));
            QApplication::sendEvent(vp, e.get());
        });
        post(mouse(vp, QEvent::MouseButtonRelease, at));
        settle();
    }
    QtDialogs dialogs;
    ChartView* view = nullptr;
    QWidget* vp = nullptr;
};

const NODE cTopMiddle(2, 1);
const NODE cRightMiddle(2, 2);
const NODE cLeftMiddle(2, 4);
const NODE cBottomMiddle(2, 3);

TEST_F(DrawingTest, AWholeChartIsDrawnWithTheMouseAndKeyboardAlone) {
    // Two states and an initial state from the drawing toolbar.
    dropTool(cmd::InsertState, pixel({10, 10}));
    dropTool(cmd::InsertState, pixel({40, 10}));
    dropTool(cmd::InsertInitialState, pixel({2, 30}));
    ASSERT_EQ(all<GenericState>().size(), 2u);
    ASSERT_EQ(all<InitialState>().size(), 1u);
    GenericState* idle = all<GenericState>()[0];
    GenericState* busy = all<GenericState>()[1];
    InitialState* start = all<InitialState>()[0];
    EXPECT_EQ(idle->getRect(), CRect(10, 10, 20, 18));
    EXPECT_FALSE(frame().action(cmd::InsertState)->isChecked()) << "the tool is done";

    // Anchor to anchor, a self-transition, the initial transition and one with a free end.
    auto drawFrom = [&](State* s, NODE n, QPoint to) {
        hover(anchor(s, n));
        ASSERT_TRUE(chart().isStateAnchorNodeHighlighted());
        drag(anchor(s, n), to);
    };
    drawFrom(idle, cRightMiddle, anchor(busy, cLeftMiddle));
    drawFrom(busy, cTopMiddle, anchor(busy, cRightMiddle));
    drawFrom(start, start->getNodes().begin()->first, anchor(idle, cBottomMiddle));
    drawFrom(idle, cBottomMiddle, pixel({30, 40}));
    std::vector<Transition*> ts = all<Transition>();
    ASSERT_EQ(ts.size(), 4u);
    EXPECT_EQ(ts[0]->getTailState(), busy);
    EXPECT_EQ(dynamic_cast<Shape*>(ts[1]->getHeadState()), busy);
    EXPECT_EQ(ts[1]->getTailState(), busy);
    EXPECT_EQ(ts[2]->getTailState(), idle);
    EXPECT_EQ(ts[3]->getTailState(), nullptr);

    // A message on the first transition, its texts typed in the event editor.
    Transition* go = ts[0];
    const QPoint onGo = pixel({30, 14});
    ASSERT_EQ(chart().getShapeAtPoint(CPoint(onGo.x(), onGo.y())), go);
    choose(cmd::AddMessage, onGo);
    ASSERT_NE(go->getMesg(), nullptr);
    const CRect label = go->getMesg()->getRect();
    // Off the transition, which lies across the label's middle.
    doubleClick(pixel(label.TopLeft() + CSize(2, 1)), [](QDialog& d) {
        dialogdriver::type(d, "event", "go");
        dialogdriver::type(d, "guard", "ready()");
        dialogdriver::type(d, "effect", "count++;");
        dialogdriver::click(d, "Update");
    });
    EXPECT_EQ(go->getMesg()->getTextHandler()->getEvent(), "go");

    // Idle's entry action.
    doubleClick(pixel({15, 16}), [](QDialog& d) {
        dialogdriver::type(d, "entry", "log(\"idle\");");
        dialogdriver::click(d, "OK");
    });
    EXPECT_EQ(idle->getTextHandler()->getEntry(), "log(\"idle\");");

    // Busy moves 10 units right, then grows from its bottom-right corner: the transitions
    // follow it.
    drag(pixel({45, 13}), pixel({55, 13}));
    EXPECT_EQ(busy->getRect(), CRect(50, 10, 60, 18));
    drag(pixel({60, 18}) - QPoint(2, 2), pixel({66, 22}) - QPoint(2, 2));
    EXPECT_EQ(busy->getRect(), CRect(50, 10, 66, 22));
    EXPECT_EQ(go->getTailLink()->getTailPt(), busy->getAnchorPoint(cLeftMiddle));

    // A rubber band around the free transition, Delete, confirmed.
    click(pixel({100, 100}));                                    // nothing selected
    drag(pixel({12, 17}), pixel({34, 44}), Qt::ControlModifier); // Ctrl: a band even on Idle
    EXPECT_TRUE(chart().getCollection().find(ts[3]));
    EXPECT_FALSE(chart().getCollection().find(idle));
    fake.messages.answers = {MsgResult::Yes};
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(all<Transition>().size(), 3u);

    // Send Idle to the back of the states, then bring it to the front.
    click(pixel({15, 13}));
    trigger(cmd::BringToFront);
    EXPECT_EQ(all<GenericState>().back(), idle);
    trigger(cmd::SendToBack);
    EXPECT_EQ(all<GenericState>().front(), idle);

    // Saved, read back by the library: what was drawn, not pixels.
    const std::string path = (dir.path() / "drawn.tvc").string();
    files.answers = {path};
    trigger(cmd::FileSaveAs);
    LayoutMgr read;
    std::ifstream in(path, std::ios::binary);
    read.read(in);
    std::ostringstream again;
    read.write(again);
    EXPECT_EQ(again.str(), file());
    std::vector<Shape*>& back = read.getModelMgr()->getShapeList();
    ASSERT_EQ(back.size(), shapes().size());
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i]->getType(), shapes()[i]->getType());

    // The generated machine compiles against a context that declares what the actions use.
    std::ofstream(dir.path() / "Context.h") << "#pragma once\n"
                                               "struct Context {};\n"
                                               "inline int count = 0;\n"
                                               "inline bool ready() { return true; }\n"
                                               "inline void log(const char*) {}\n";
    QProcess generator;
    generator.start(TAVREN_TVC2CPP, {"-d", QString::fromStdString(path)});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardOutput().toStdString();
    QProcess compiler;
    compiler.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    compiler.start(TAVREN_CXX, {"-std=c++17", "-Wall", "-Werror", "-I.", "-c", "drawnTN.cpp"});
    ASSERT_TRUE(compiler.waitForFinished(120000));
    EXPECT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();
}

} // namespace

namespace {

TEST_F(DrawingTest, EscapeDuringAnyDragAndDropsOutsideTheChartChangeNothing) {
    dropTool(cmd::InsertState, pixel({10, 10}));
    dropTool(cmd::InsertState, pixel({40, 10}));
    GenericState* idle = all<GenericState>()[0];
    GenericState* busy = all<GenericState>()[1];
    hover(anchor(idle, cRightMiddle));
    drag(anchor(idle, cRightMiddle), anchor(busy, cLeftMiddle));
    ASSERT_EQ(all<Transition>().size(), 1u);
    click(pixel({45, 13})); // Busy selected: its handles can be dragged
    const std::string before = file();

    const struct {
        const char* name;
        QPoint from;
        bool hoverFirst;
    } drags[] = {
        {"moving a state", pixel({45, 13}), false},
        {"resizing a state", pixel({50, 18}) - QPoint(2, 2), false},
        {"drawing a transition", anchor(idle, cTopMiddle), true},
        {"a rubber band", pixel({80, 60}), false},
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(d.name);
        if (d.hoverFirst)
            hover(d.from);
        post(mouse(vp, QEvent::MouseMove, d.from + QPoint(40, 30)));
        post(new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier), view);
        press(d.from);
        EXPECT_EQ(file(), before);
    }

    // A tool dragged from the toolbar and released outside the chart, or given up with Escape.
    auto* button = frame().drawingToolBar()->widgetForAction(frame().action(cmd::InsertNote));
    std::unique_ptr<QMouseEvent> e(mouse(button, QEvent::MouseButtonPress, QPoint(3, 3)));
    QApplication::sendEvent(button, e.get());
    EXPECT_TRUE(chart().isToolDragging()) << "a press starts the drag at once";
    e.reset(mouse(button, QEvent::MouseButtonRelease, QPoint(3, 3)));
    QApplication::sendEvent(button, e.get());
    EXPECT_FALSE(chart().isToolDragging());
    trigger(cmd::InsertNote); // from the Insert menu: the image follows until a click
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(chart().isToolDragging());
    EXPECT_EQ(file(), before);

    // The transition tool waits for the mouse to move 3 pixels before it drags.
    auto* transition =
        frame().drawingToolBar()->widgetForAction(frame().action(cmd::NewTransition));
    e.reset(mouse(transition, QEvent::MouseButtonPress, QPoint(3, 3)));
    QApplication::sendEvent(transition, e.get());
    EXPECT_EQ(chart().getTool(), cmd::NewTransition);
    EXPECT_FALSE(chart().isToolDragging());
    e.reset(mouse(transition, QEvent::MouseMove, QPoint(4, 4)));
    QApplication::sendEvent(transition, e.get());
    EXPECT_FALSE(chart().isToolDragging()) << "2 pixels are not yet a drag";
    e.reset(mouse(transition, QEvent::MouseMove, QPoint(5, 4)));
    QApplication::sendEvent(transition, e.get());
    EXPECT_TRUE(chart().isToolDragging());
    trigger(cmd::Normal);
}

} // namespace

namespace {

TEST_F(DrawingTest, CopyInOneChartPasteInAnotherAndUndoLeavesItAsSaved) {
    dropTool(cmd::InsertState, pixel({10, 10}));
    EXPECT_TRUE(enabled(cmd::EditUndo));
    EXPECT_FALSE(enabled(cmd::EditCopy)) << "nothing selected";
    click(pixel({15, 14}));
    trigger(cmd::EditCopy);
    EXPECT_TRUE(enabled(cmd::EditPaste));

    trigger(cmd::FileNew);
    CChildFrame* second = frame().activeChild();
    view = &second->view();
    vp = view->viewport();
    const std::string before = file();
    EXPECT_FALSE(second->document().IsModified());
    EXPECT_FALSE(enabled(cmd::EditUndo)) << "a new chart has nothing to undo";

    trigger(cmd::EditPaste);
    ASSERT_EQ(all<GenericState>().size(), 1u);
    EXPECT_TRUE(chart().getCollection().find(all<GenericState>()[0]));
    EXPECT_TRUE(second->document().IsModified());

    trigger(cmd::EditUndo);
    EXPECT_EQ(file(), before);
    EXPECT_FALSE(second->document().IsModified()) << "back where it was saved";
    EXPECT_FALSE(enabled(cmd::EditUndo));
    EXPECT_TRUE(enabled(cmd::EditRedo));
    trigger(cmd::EditRedo);
    EXPECT_EQ(all<GenericState>().size(), 1u);
    EXPECT_FALSE(enabled(cmd::EditRedo));
}

} // namespace
