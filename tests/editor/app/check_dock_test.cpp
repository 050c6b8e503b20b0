// The Check dock as a user works with it: the chart's diagnostics listed, a click selecting
// the shapes one concerns, and the list checked again after an edit.

#include "editor/app/check_dock.h"
#include "editor/app/child_frame.h"
#include "editor/view/chart_view.h"
#include "model/shape.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <QTest>
#include <QTreeWidget>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using CheckDockTest = EditorTest;

QTreeWidgetItem* findRule(QTreeWidget* list, const QString& rule) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(2) == rule)
            return list->topLevelItem(i);
    return nullptr;
}

} // namespace

TEST_F(CheckDockTest, ListsDiagnosticsSelectsTheirShapesAndFollowsEdits) {
    ASSERT_TRUE(start());
    const fs::path chart = openCopy("../tests/conformance/unhandled/chart.tvc", "unhandled.tvc");
    CChildFrame& child = *frame().activeChild();

    trigger(cmd::CheckChart);
    ASSERT_TRUE(child.isChecking());
    EXPECT_TRUE(frame().action(cmd::CheckChart)->isChecked());
    auto* list = child.checkDock()->findChild<QTreeWidget*>("checkList");
    ASSERT_NE(list, nullptr);
    QTreeWidgetItem* idle = findRule(list, "handles-no-event");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(0), "warning");
    EXPECT_TRUE(idle->text(1).contains("Stopped_Unhandled"));

    // A click selects the state the warning is about.
    list->scrollToItem(idle);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(idle).center());
    ModelMgr& shapes = *child.view().layout().getModelMgr();
    const auto& chosen = shapes.getCollection().items();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(dynamic_cast<Shape*>(chosen.front())->getObjId(), 104);

    // Deleting it (yes, delete): once the edit settles, the warning is gone.
    fake.messages.answers.push_back(MsgResult::Yes);
    trigger(cmd::EditDelete);
    ASSERT_EQ(shapes.getShape(104), nullptr);
    QTest::qWait(600);
    EXPECT_EQ(findRule(list, "handles-no-event"), nullptr);

    trigger(cmd::CheckChart);
    EXPECT_FALSE(child.isChecking());
    // Checking wrote nothing beside the chart.
    EXPECT_EQ(std::distance(fs::directory_iterator(chart.parent_path()), fs::directory_iterator()),
              1);
}
