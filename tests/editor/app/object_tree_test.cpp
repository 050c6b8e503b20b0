// The object browser of a real chart window: it lists what the chart holds after opening,
// follows edits, undo and redo, and its clicks reach the chart.

#include "editor/app/object_tree.h"
#include "tests/editor/app/app_fixture.h"

namespace {

using namespace testsupport;
using Lines = std::vector<std::string>;

Shape* headOf(Transition* t) {
    return dynamic_cast<Shape*>(t->getHeadState());
}
Shape* tailOf(Transition* t) {
    return dynamic_cast<Shape*>(t->getTailState());
}
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
    auto transition = [&](const std::string& at, Transition* t) {
        Shape *from = headOf(t), *to = tailOf(t);
        Mesg* m = t->getMesg();
        const std::string event = m ? m->getTextHandler()->getEvent() : "";
        const std::string item =
            at + "/" + event + " [" + (from && to ? (from == to ? "3" : "2") : "4") + "]";
        lines.push_back(item);
        if (to && to != from)
            lines.push_back(item + "/" + label(to));
        if (m)
            lines.push_back(item + "/on" + event + " [" + m->getTextHandler()->getGuard() +
                            "] [5]");
    };
    lines.push_back(root);
    for (Shape* s : chart.getModelMgr()->getShapeList()) {
        if (s->getZorder() != cStateLayer)
            continue;
        lines.push_back(root + "/" + label(s));
        for (Transition* t : shapesOf<Transition>(chart))
            if (headOf(t) == s)
                transition(root + "/" + label(s), t);
    }
    for (Transition* t : shapesOf<Transition>(chart))
        if (!t->getHeadState())
            transition(root, t);
    std::ranges::sort(lines);
    return lines;
}

void collect(QTreeWidgetItem* item, const std::string& at, Lines& lines) {
    const std::string path = (at.empty() ? "" : at + "/") + item->text(0).toStdString() + " [" +
                             std::to_string(CObjectTree::iconOf(item)) + "]";
    lines.push_back(path);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), path, lines);
}

Lines shownLines(CObjectTree& tree) {
    Lines lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        collect(tree.topLevelItem(i), "", lines);
    std::ranges::sort(lines);
    return lines;
}

class ObjectTreeTest : public EditorTest {
protected:
    void open(const std::string& name) {
        ASSERT_TRUE(start());
        ASSERT_NE(frame().OpenDocumentFile(std::string(TAVREN_EXAMPLES) + "/" + name), nullptr);
        settle();
    }
    CObjectTree& tree() { return active().objectTree(); }
    Lines listed() { return shownLines(tree()); }
    // A state with a transition to another state, and that transition.
    std::pair<GenericState*, Transition*> withTransition() {
        for (Transition* t : shapesOf<Transition>(chart()))
            if (auto* g = dynamic_cast<GenericState*>(headOf(t)); g && tailOf(t) && tailOf(t) != g)
                return {g, t};
        ADD_FAILURE() << "no state with a transition";
        return {};
    }
    // Clicks the item's label; a menu that opens is handed to script, then closed.
    void clickItem(QTreeWidgetItem* item, Qt::MouseButton button,
                   std::function<void(QMenu&)> script = {}) {
        tree().scrollToItem(item);
        const QPoint at = tree().visualItemRect(item).center();
        const bool menu =
            shown<QMenu>([&](QMenu& m) { script ? script(m) : void(m.close()); },
                         [&] { QTest::mouseClick(tree().viewport(), button, {}, at); });
        settle();
        EXPECT_EQ(menu, button == Qt::RightButton);
    }
};

TEST_F(ObjectTreeTest, ListsEveryExampleAsItsChartHoldsIt) {
    ASSERT_TRUE(start());
    bool selfTransitionSeen = false;
    for (const char* name : {"door.tvc", "history.tvc", "media_player.tvc", "traffic_light.tvc"}) {
        ASSERT_NE(frame().OpenDocumentFile(std::string(TAVREN_EXAMPLES) + "/" + name), nullptr);
        EXPECT_EQ(listed(), expected(chart())) << name;
        EXPECT_TRUE(tree().rootItem()->isExpanded()) << name;
        for (const std::string& line : listed())
            selfTransitionSeen |= line.ends_with(" [3]");
    }
    EXPECT_TRUE(selfTransitionSeen) << "the examples should hold a self-transition";
}

TEST_F(ObjectTreeTest, FollowsInsertRenameDeleteUndoAndRedo) {
    open("media_player.tvc");
    const Lines opened = listed();
    chart().onCommand(cmd::InsertStateAt);
    EXPECT_EQ(listed(), expected(chart())) << "insert";
    GenericState* busy = withTransition().first;
    ASSERT_NE(busy, nullptr);
    Shape* busyShape = busy; // converted while it lives: Shape is a virtual base
    fake.dialogs.onState = [](StateProperties& p) { return p.name = "Renamed", true; };
    chart().getModelMgr()->getHiddenWindow().SetShape(busy);
    chart().getModelMgr()->getHiddenWindow().OnCommand(cmd::Properties);
    ASSERT_EQ(busy->getName(), "Renamed");
    EXPECT_EQ(listed(), expected(chart())) << "rename, every item of the state";
    fake.dialogs.onEvent = [](std::string& event, std::string& guard, std::string&) {
        event = "kick";
        guard = "ready";
        return true;
    };
    shapesOf<Mesg>(chart()).front()->onLButtonDoubleClick(0, {});
    chart().pushUndoAction();
    EXPECT_EQ(listed(), expected(chart())) << "a label edited with a double click";
    const Lines renamed = listed();
    // Its transitions lose their source and move to the root; those into it lose the target.
    chart().selectOnly(busy);
    fake.messages.answers = {MsgResult::Yes};
    chart().onCommand(cmd::EditDelete);
    EXPECT_EQ(listed(), expected(chart())) << "delete";
    EXPECT_TRUE(tree().itemsOf(busyShape).empty());
    chart().undo();
    EXPECT_EQ(listed(), renamed) << "undo of the delete";
    for (int i = 0; i < 3; ++i)
        chart().undo();
    EXPECT_EQ(listed(), opened) << "undo of label, rename and insert";
    for (int i = 0; i < 3; ++i)
        chart().redo();
    EXPECT_EQ(listed(), renamed) << "redo";
    EXPECT_EQ(tree().itemsOf(nullptr).size(), 0u);
}

TEST_F(ObjectTreeTest, ClicksSelectShapesAndOpenTheirMenus) {
    open("door.tvc");
    auto [state, t] = withTransition();
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
    bool offered = false;
    clickItem(tree().itemsOf(t).front(), Qt::RightButton, [&](QMenu& menu) {
        offered = menu.findChild<QAction*>(QString("cmd_%1").arg(cmd::DeleteTransition));
        menu.close();
    });
    EXPECT_TRUE(offered);
    EXPECT_TRUE(selection.find(t));
    // The chart's own menu on the root: a state inserted from it is listed.
    const int before = tree().rootItem()->childCount();
    clickItem(tree().rootItem(), Qt::RightButton,
              [](QMenu& menu) { choose(menu, cmd::InsertStateAt); });
    EXPECT_EQ(tree().rootItem()->childCount(), before + 1);
    EXPECT_EQ(listed(), expected(chart()));
    // A transition whose source is not listed is not shown.
    tree().RemoveShape(state);
    EXPECT_TRUE(tree().itemsOf(t).empty()) << "gone with its source's item";
    tree().AddShape(t);
    tree().RefreshShape(t);
    EXPECT_TRUE(tree().itemsOf(t).empty());
}

} // namespace
