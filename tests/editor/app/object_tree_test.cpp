// The object browser of a real chart window: it lists what the chart holds after opening,
// follows edits, undo and redo, and its clicks reach the chart.

#include "editor/app/child_frame.h"
#include "editor/app/object_icons.h"
#include "editor/app/object_tree.h"
#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

using Lines = std::vector<std::string>;

std::string label(Shape* s) {
    if (auto* g = dynamic_cast<GenericState*>(s))
        return g->getName() + " [1]";
    return dynamic_cast<InitialState*>(s) ? "InitialState [6]" : "FinalState [7]";
}

// What the tree should hold, worked out from the chart alone: each item as the path of texts
// from the root with its icon, sorted.
Lines expected(LayoutMgr& chart) {
    Lines lines;
    const std::string root = chart.getModelProperties().getName() + " [0]";
    std::vector<Shape*>& shapes = chart.getModelMgr()->getShapeList();
    auto transition = [&](const std::string& at, Transition* t) {
        auto* from = dynamic_cast<Shape*>(t->getHeadState());
        auto* to = dynamic_cast<Shape*>(t->getTailState());
        Mesg* m = t->getMesg();
        const std::string event = m ? m->getTextHandler()->getEvent() : "";
        const int icon = from && to ? (from == to ? 3 : 2) : 4;
        const std::string item = at + "/" + event + " [" + std::to_string(icon) + "]";
        lines.push_back(item);
        if (to && to != from)
            lines.push_back(item + "/" + label(to));
        if (m)
            lines.push_back(item + "/on" + event + " [" + m->getTextHandler()->getGuard() +
                            "] [5]");
    };
    lines.push_back(root);
    for (Shape* s : shapes) {
        if (s->getZorder() != cStateLayer)
            continue;
        const std::string item = root + "/" + label(s);
        lines.push_back(item);
        for (Shape* o : shapes)
            if (auto* t = dynamic_cast<Transition*>(o);
                t && dynamic_cast<Shape*>(t->getHeadState()) == s)
                transition(item, t);
    }
    for (Shape* o : shapes)
        if (auto* t = dynamic_cast<Transition*>(o); t && !t->getHeadState())
            transition(root, t);
    std::sort(lines.begin(), lines.end());
    return lines;
}

void collect(QTreeWidgetItem* item, const std::string& at, Lines& lines) {
    const std::string path = (at.empty() ? "" : at + "/") + item->text(0).toStdString() + " [" +
                             std::to_string(CObjectTree::iconOf(item)) + "]";
    lines.push_back(path);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), path, lines);
}

Lines shown(CObjectTree& tree) {
    Lines lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        collect(tree.topLevelItem(i), "", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

class ObjectTreeTest : public EditorTest {
protected:
    void open(const std::string& name) {
        ASSERT_TRUE(start());
        child = frame().OpenDocumentFile(std::string(TAVREN_EXAMPLES) + "/" + name);
        ASSERT_NE(child, nullptr);
        settle();
    }
    LayoutMgr& chart() { return child->view().layout(); }
    CObjectTree& tree() { return child->objectTree(); }
    template <class S> S* first(std::function<bool(S*)> test = {}) {
        for (Shape* s : chart().getModelMgr()->getShapeList())
            if (auto* k = dynamic_cast<S*>(s); k && (!test || test(k)))
                return k;
        return nullptr;
    }
    GenericState* withTransitions() {
        return first<GenericState>([this](GenericState* g) {
            return first<Transition>([g](Transition* t) {
                       auto* to = dynamic_cast<Shape*>(t->getTailState());
                       return dynamic_cast<Shape*>(t->getHeadState()) == g && to && to != g;
                   }) != nullptr;
        });
    }
    // Clicks the item's label; a menu that opens is handed to script, then closed.
    void clickItem(QTreeWidgetItem* item, Qt::MouseButton button,
                   std::function<void(QMenu&)> script = {}) {
        tree().scrollToItem(item);
        const QPoint at = tree().visualItemRect(item).center();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = true;
                if (script)
                    script(*menu);
                else
                    menu->close();
            }
        });
        QTest::mouseClick(tree().viewport(), button, {}, at);
        settle();
        EXPECT_EQ(seen, button == Qt::RightButton);
    }
    static void choose(QMenu& menu, unsigned id) {
        QAction* act = menu.findChild<QAction*>(QString("cmd_%1").arg(id));
        ASSERT_NE(act, nullptr);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(act).center());
    }

    CChildFrame* child = nullptr;
};

TEST_F(ObjectTreeTest, ListsEveryExampleAsItsChartHoldsIt) {
    ASSERT_TRUE(start());
    bool selfTransitionSeen = false;
    for (const char* name : {"door.tvc", "history.tvc", "media_player.tvc", "traffic_light.tvc"}) {
        child = frame().OpenDocumentFile(std::string(TAVREN_EXAMPLES) + "/" + name);
        ASSERT_NE(child, nullptr) << name;
        EXPECT_EQ(shown(tree()), expected(chart())) << name;
        EXPECT_TRUE(tree().rootItem()->isExpanded()) << name;
        for (const std::string& line : shown(tree()))
            selfTransitionSeen |= line.ends_with(" [3]");
    }
    EXPECT_TRUE(selfTransitionSeen) << "the examples should hold a self-transition";
}

TEST_F(ObjectTreeTest, FollowsInsertRenameDeleteUndoAndRedo) {
    open("media_player.tvc");
    const Lines opened = shown(tree());

    chart().onCommand(cmd::InsertStateAt);
    EXPECT_EQ(shown(tree()), expected(chart())) << "insert";

    GenericState* busy = withTransitions();
    ASSERT_NE(busy, nullptr);
    Shape* busyShape = busy; // converted while it lives: Shape is a virtual base
    fake.dialogs.onState = [](StateProperties& p) {
        p.name = "Renamed";
        return true;
    };
    chart().getModelMgr()->getHiddenWindow().SetShape(busy);
    chart().getModelMgr()->getHiddenWindow().OnCommand(cmd::Properties);
    ASSERT_EQ(busy->getName(), "Renamed");
    EXPECT_EQ(shown(tree()), expected(chart())) << "rename, every item of the state";
    Mesg* label = first<Mesg>();
    ASSERT_NE(label, nullptr);
    fake.dialogs.onEvent = [](std::string& event, std::string& guard, std::string&) {
        event = "kick";
        guard = "ready";
        return true;
    };
    label->onLButtonDoubleClick(0, {});
    chart().pushUndoAction();
    EXPECT_EQ(shown(tree()), expected(chart())) << "a label edited with a double click";
    const Lines renamed = shown(tree());

    // Its transitions lose their source and move to the root; those into it lose the target.
    chart().selectOnly(busy);
    fake.messages.answers = {MsgResult::Yes};
    chart().onCommand(cmd::EditDelete);
    EXPECT_EQ(shown(tree()), expected(chart())) << "delete";
    EXPECT_TRUE(tree().itemsOf(busyShape).empty());

    chart().undo();
    EXPECT_EQ(shown(tree()), renamed) << "undo of the delete";
    for (int i = 0; i < 3; ++i)
        chart().undo();
    EXPECT_EQ(shown(tree()), opened) << "undo of label, rename and insert";
    for (int i = 0; i < 3; ++i)
        chart().redo();
    EXPECT_EQ(shown(tree()), renamed) << "redo";
    EXPECT_EQ(tree().itemsOf(nullptr).size(), 0u);
}

TEST_F(ObjectTreeTest, ClicksSelectShapesAndOpenTheirMenus) {
    open("door.tvc");
    GenericState* state = withTransitions();
    ASSERT_NE(state, nullptr);
    QTreeWidgetItem* item = nullptr;
    for (QTreeWidgetItem* i : tree().itemsOf(state))
        if (i->parent() == tree().rootItem())
            item = i;
    ASSERT_NE(item, nullptr);

    chart().getModelMgr()->selectAll();
    clickItem(item, Qt::LeftButton);
    Collection& selection = chart().getModelMgr()->getCollection();
    ASSERT_EQ(selection.items().size(), 1u) << "the clicked shape alone";
    EXPECT_EQ(selection.items().front(), static_cast<Collectable*>(state));
    EXPECT_EQ(tree().currentItem(), item);

    // The shape's own menu; the transition under it joins the selection.
    Transition* t = first<Transition>(
        [state](Transition* x) { return dynamic_cast<Shape*>(x->getHeadState()) == state; });
    ASSERT_NE(t, nullptr);
    bool propertiesOffered = false;
    clickItem(tree().itemsOf(t).front(), Qt::RightButton, [&](QMenu& menu) {
        propertiesOffered =
            menu.findChild<QAction*>(QString("cmd_%1").arg(cmd::DeleteTransition)) != nullptr;
        menu.close();
    });
    EXPECT_TRUE(propertiesOffered);
    EXPECT_TRUE(selection.find(t));

    // The chart's own menu on the root: a state inserted from it is listed and lies in view.
    const size_t before = tree().rootItem()->childCount();
    clickItem(tree().rootItem(), Qt::RightButton,
              [](QMenu& menu) { choose(menu, cmd::InsertStateAt); });
    EXPECT_EQ(static_cast<size_t>(tree().rootItem()->childCount()), before + 1);
    EXPECT_EQ(shown(tree()), expected(chart()));
}

TEST_F(ObjectTreeTest, ATransitionWhoseSourceIsNotListedIsNotShown) {
    open("door.tvc");
    GenericState* state = withTransitions();
    Transition* t = first<Transition>(
        [state](Transition* x) { return dynamic_cast<Shape*>(x->getHeadState()) == state; });
    ASSERT_NE(t, nullptr);
    tree().RemoveShape(state);
    EXPECT_TRUE(tree().itemsOf(t).empty()) << "gone with its source's item";
    tree().AddShape(t);
    EXPECT_TRUE(tree().itemsOf(t).empty());
    tree().RefreshShape(t);
    EXPECT_TRUE(tree().itemsOf(t).empty());
}

TEST(ObjectIconsTest, EightDistinctIconsAtOneAndTwoTimesSize) {
    std::vector<QImage> seen;
    for (int i = 0; i < objecticons::cCount; ++i) {
        const QIcon& icon = objecticons::icon(i);
        EXPECT_EQ(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32)) << i;
        const QImage small = icon.pixmap(QSize(16, 16)).toImage();
        EXPECT_EQ(small.size(), QSize(16, 16)) << i;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), small), 0) << i;
        seen.push_back(small);
    }
}

} // namespace
