// A whole chart drawn in the real main window with the mouse and the keyboard alone, saved,
// read back by the library and generated into C++ that compiles.

#include "editor/app/drag_tool_bar.h"
#include "editor/app/qt_dialogs.h"
#include "tests/editor/app/app_fixture.h"

#include <fstream>

namespace {

using namespace testsupport;

const NODE cTopMiddle(2, 1), cRightMiddle(2, 2), cBottomMiddle(2, 3), cLeftMiddle(2, 4);

class DrawingTest : public EditorTest {
protected:
    void SetUp() override {
        platform::install(&dialogs);
        ASSERT_TRUE(start());
        frame().mdiArea()->currentSubWindow()->showMaximized();
        settle();
        view = &active().view();
        vp = view->viewport();
    }
    LayoutMgr& chart() { return view->layout(); }
    template <class S> std::vector<S*> all() { return shapesOf<S>(chart()); }
    QPoint pixel(CPoint units) { return toQ(chart().zpFu(chart().getClientPos(units))); }
    QPoint anchor(State* s, NODE n) { return toQ(chart().anchorPixel(s->getAnchorPoint(n), n)); }
    static QPoint toQ(CPoint p) { return {p.x, p.y}; }
    static QMouseEvent* mouse(QWidget* w, QEvent::Type type, QPoint at,
                              Qt::KeyboardModifiers keys = {}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        return new QMouseEvent(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, keys);
    }
    void send(QWidget* w, QEvent::Type type, QPoint at, Qt::KeyboardModifiers keys = {}) {
        std::unique_ptr<QMouseEvent> e(mouse(w, type, at, keys));
        QApplication::sendEvent(w, e.get());
    }
    // Moves, releases and keys wait in the queue: the press runs the drag's own mouse loop,
    // which takes them from there.
    void post(QEvent* e, QWidget* to = nullptr) { QCoreApplication::postEvent(to ? to : vp, e); }
    void press(QPoint at, Qt::KeyboardModifiers keys = {}) {
        send(vp, QEvent::MouseButtonPress, at, keys);
        settle();
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        post(mouse(vp, QEvent::MouseMove, (from + to) / 2, keys));
        post(mouse(vp, QEvent::MouseMove, to, keys));
        post(mouse(vp, QEvent::MouseButtonRelease, to, keys));
        press(from, keys);
    }
    void click(QPoint at, Qt::KeyboardModifiers keys = {}) { drag(at, at, keys); }
    QWidget* toolButton(unsigned tool) {
        return frame().drawingToolBar()->widgetForAction(frame().action(tool));
    }
    // A drawing tool dragged from its toolbar button into the chart.
    void dropTool(unsigned tool, QPoint at) {
        QWidget* button = toolButton(tool);
        const QPoint c = button->rect().center();
        send(button, QEvent::MouseButtonPress, c);
        send(button, QEvent::MouseMove, c + QPoint(4, 0));
        send(vp, QEvent::MouseMove, at);
        send(vp, QEvent::MouseButtonRelease, at);
        settle();
    }
    void choose(unsigned id, QPoint at) {
        drive<QMenu>([id](QMenu& menu) { testsupport::choose(menu, id); },
                     [&] {
                         QContextMenuEvent e(QContextMenuEvent::Mouse, at, vp->mapToGlobal(at));
                         QApplication::sendEvent(vp, &e);
                     });
    }
    void doubleClick(QPoint at, std::function<void(QDialog&)> script) {
        click(at);
        drive(script, [&] { send(vp, QEvent::MouseButtonDblClick, at); });
        post(mouse(vp, QEvent::MouseButtonRelease, at));
        settle();
    }
    QtDialogs dialogs;
    ChartView* view = nullptr;
    QWidget* vp = nullptr;
};

// Also the code-generation sheet of the running editor: its C++ context reaches the machine.
TEST_F(DrawingTest, AWholeChartIsDrawnWithTheMouseAndKeyboardAloneAndGeneratesCode) {
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
        send(vp, QEvent::MouseMove, anchor(s, n));
        ASSERT_TRUE(chart().isStateAnchorNodeHighlighted());
        drag(anchor(s, n), to);
    };
    drawFrom(idle, cRightMiddle, anchor(busy, cLeftMiddle));
    drawFrom(busy, cTopMiddle, anchor(busy, cRightMiddle));
    drawFrom(start, start->getNodes().begin()->first, anchor(idle, cBottomMiddle));
    drawFrom(idle, cBottomMiddle, pixel({30, 40}));
    std::vector<Transition*> ts = all<Transition>();
    ASSERT_EQ(ts.size(), 4u);
    const std::vector<State*> tails = {busy, busy, idle, nullptr};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(ts[i]->getTailState(), tails[i]) << i;
    EXPECT_EQ(dynamic_cast<Shape*>(ts[1]->getHeadState()), busy);
    // A message on the first transition, its texts typed in the event editor.
    Transition* go = ts[0];
    const QPoint onGo = pixel({30, 14});
    ASSERT_EQ(chart().getShapeAtPoint(CPoint(onGo.x(), onGo.y())), go);
    choose(cmd::AddMessage, onGo);
    ASSERT_NE(go->getMesg(), nullptr);
    // Off the transition, which lies across the label's middle.
    doubleClick(pixel(go->getMesg()->getRect().TopLeft() + CSize(2, 1)), [](QDialog& d) {
        type(d, "event", "go");
        type(d, "guard", "ready()");
        type(d, "effect", "count++;");
        testsupport::click(d, "Update");
    });
    EXPECT_EQ(go->getMesg()->getTextHandler()->getEvent(), "go");
    doubleClick(pixel({15, 16}), [](QDialog& d) {
        type(d, "entry", "log(\"idle\");");
        testsupport::click(d, "OK");
    });
    EXPECT_EQ(idle->getTextHandler()->getEntry(), "log(\"idle\");");
    // Busy moves 10 units right, then grows from its bottom-right corner: the transitions
    // follow it.
    drag(pixel({45, 13}), pixel({55, 13}));
    EXPECT_EQ(busy->getRect(), CRect(50, 10, 60, 18));
    drag(pixel({60, 18}) - QPoint(2, 2), pixel({66, 22}) - QPoint(2, 2));
    EXPECT_EQ(busy->getRect(), CRect(50, 10, 66, 22));
    EXPECT_EQ(go->getTailLink()->getTailPt(), busy->getAnchorPoint(cLeftMiddle));
    // A rubber band around the free transition (Ctrl: a band even on Idle), Delete, confirmed.
    click(pixel({100, 100}));
    drag(pixel({12, 17}), pixel({34, 44}), Qt::ControlModifier);
    EXPECT_TRUE(chart().getCollection().find(ts[3]));
    EXPECT_FALSE(chart().getCollection().find(idle));
    fake.messages.answers = {MsgResult::Yes};
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(all<Transition>().size(), 3u);
    click(pixel({15, 13}));
    trigger(cmd::BringToFront);
    EXPECT_EQ(all<GenericState>().back(), idle);
    trigger(cmd::SendToBack);
    EXPECT_EQ(all<GenericState>().front(), idle);
    drive(
        [](QDialog& d) {
            type(d, "cppClass", "Portal");
            type(d, "cppInclude", "portal.h");
            type(d, "cppNamespace", "building");
            testsupport::click(d, "OK");
        },
        [&] { trigger(cmd::CodeGenProperties); });
    // Saved, read back by the library: what was drawn, not pixels.
    const std::string path = (dir.path() / "drawn.tvc").string();
    files.answers = {path};
    trigger(cmd::FileSaveAs);
    EXPECT_FALSE(active().document().IsModified());
    LayoutMgr read;
    std::ifstream in(path, std::ios::binary);
    read.read(in);
    EXPECT_EQ(text(read), text(chart()));
    std::vector<Shape*>& back = read.getModelMgr()->getShapeList();
    ASSERT_EQ(back.size(), chart().getModelMgr()->getShapeList().size());
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i]->getType(), chart().getModelMgr()->getShapeList()[i]->getType());
    // Only portal.h defines building::Portal and what the actions use: the machine compiles
    // only if it includes it and names the class in its namespace.
    writeFile(dir.path() / "portal.h", "#pragma once\nnamespace building { struct Portal {}; }\n"
                                       "inline int count = 0;\n"
                                       "inline bool ready() { return true; }\n"
                                       "inline void log(const char*) {}\n");
    auto [status, out] = run(TAVREN_TVC2CPP, {"-d", QString::fromStdString(path)});
    ASSERT_EQ(status, 0) << out;
    std::tie(status, out) =
        run(TAVREN_CXX, {"-std=c++17", "-Wall", "-Werror", "-I.", "-c", "drawnTN.cpp"}, dir.path());
    EXPECT_EQ(status, 0) << out;
}

TEST_F(DrawingTest, EscapeDuringAnyDragAndDropsOutsideTheChartChangeNothing) {
    dropTool(cmd::InsertState, pixel({10, 10}));
    dropTool(cmd::InsertState, pixel({40, 10}));
    GenericState* idle = all<GenericState>()[0];
    GenericState* busy = all<GenericState>()[1];
    send(vp, QEvent::MouseMove, anchor(idle, cRightMiddle));
    drag(anchor(idle, cRightMiddle), anchor(busy, cLeftMiddle));
    ASSERT_EQ(all<Transition>().size(), 1u);
    click(pixel({45, 13})); // Busy selected: its handles can be dragged
    const std::string before = text(chart());
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
            send(vp, QEvent::MouseMove, d.from);
        post(mouse(vp, QEvent::MouseMove, d.from + QPoint(40, 30)));
        post(new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier), view);
        press(d.from);
        EXPECT_EQ(text(chart()), before);
    }
    // A tool dragged from the toolbar and released outside the chart, or given up with Escape.
    send(toolButton(cmd::InsertNote), QEvent::MouseButtonPress, QPoint(3, 3));
    EXPECT_TRUE(chart().isToolDragging()) << "a press starts the drag at once";
    send(toolButton(cmd::InsertNote), QEvent::MouseButtonRelease, QPoint(3, 3));
    EXPECT_FALSE(chart().isToolDragging());
    trigger(cmd::InsertNote); // from the Insert menu: the image follows until a click
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(chart().isToolDragging());
    EXPECT_EQ(text(chart()), before);
    // The transition tool waits for the mouse to move 3 pixels before it drags.
    QWidget* transition = toolButton(cmd::NewTransition);
    send(transition, QEvent::MouseButtonPress, QPoint(3, 3));
    EXPECT_EQ(chart().getTool(), cmd::NewTransition);
    EXPECT_FALSE(chart().isToolDragging());
    send(transition, QEvent::MouseMove, QPoint(4, 4));
    EXPECT_FALSE(chart().isToolDragging()) << "2 pixels are not yet a drag";
    send(transition, QEvent::MouseMove, QPoint(5, 4));
    EXPECT_TRUE(chart().isToolDragging());
    trigger(cmd::Normal);
}

TEST_F(DrawingTest, CopyInOneChartPasteInAnotherAndUndoLeavesItAsSaved) {
    dropTool(cmd::InsertState, pixel({10, 10}));
    EXPECT_TRUE(enabled(cmd::EditUndo));
    EXPECT_FALSE(enabled(cmd::EditCopy)) << "nothing selected";
    click(pixel({15, 14}));
    trigger(cmd::EditCopy);
    EXPECT_TRUE(enabled(cmd::EditPaste));
    trigger(cmd::FileNew);
    view = &active().view();
    CTavrenDoc& second = active().document();
    const std::string before = text(chart());
    EXPECT_FALSE(second.IsModified());
    EXPECT_FALSE(enabled(cmd::EditUndo)) << "a new chart has nothing to undo";
    trigger(cmd::EditPaste);
    ASSERT_EQ(all<GenericState>().size(), 1u);
    EXPECT_TRUE(chart().getCollection().find(all<GenericState>()[0]));
    EXPECT_TRUE(second.IsModified());
    trigger(cmd::EditUndo);
    EXPECT_EQ(text(chart()), before);
    EXPECT_FALSE(second.IsModified()) << "back where it was saved";
    EXPECT_FALSE(enabled(cmd::EditUndo));
    EXPECT_TRUE(enabled(cmd::EditRedo));
    trigger(cmd::EditRedo);
    EXPECT_EQ(all<GenericState>().size(), 1u);
    EXPECT_FALSE(enabled(cmd::EditRedo));
}

} // namespace
