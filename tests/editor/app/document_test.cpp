// Opening, saving, modification and closing of charts through the running editor, and the
// Check dock that follows a chart's edits.

#include "editor/app/check_dock.h"
#include "model/link.h"
#include "tests/editor/app/app_fixture.h"

namespace {

using namespace testsupport;

const std::string cExample = std::string(TAVREN_EXAMPLES) + "/door.tvc";
const std::string cFailed = "\n\nCommand Failed.\n\nReason: ";

std::size_t filesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// A laid-out chart keeps its transitions on their states' anchors, and its labels apart.
void expectTidyLayout(LayoutMgr& chart) {
    std::vector<CRect> labels;
    for (Transition* t : shapesOf<Transition>(chart)) {
        ASSERT_TRUE(t->getHeadState() && t->getTailState());
        EXPECT_EQ(t->getHeadLink()->getHeadPt(),
                  t->getHeadState()->getAnchorPoint(t->getHeadNode()));
        EXPECT_EQ(t->getTailLink()->getTailPt(),
                  t->getTailState()->getAnchorPoint(t->getTailNode()));
    }
    for (Mesg* label : shapesOf<Mesg>(chart))
        labels.push_back(label->getRect());
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(CRect().IntersectRect(labels[i], labels[j])) << i << " " << j;
}

} // namespace

TEST_F(EditorTest, AnOpenedChartIsModifiedWhileItsTextDiffersAndSavesTheSameBytes) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    CTavrenDoc& doc = active().document();
    EXPECT_EQ(doc.GetPathName(), fs::absolute(cExample).string());
    EXPECT_EQ(doc.GetTitle(), "door.tvc");
    EXPECT_FALSE(doc.IsModified());
    const fs::path copy = dir.path() / "copy.tvc";
    files.answers = {copy.string()};
    trigger(cmd::FileSaveAs);
    EXPECT_EQ(files.suggestions.back(), fs::absolute(cExample).string());
    EXPECT_EQ(readFile(copy), readFile(cExample));
    EXPECT_EQ(doc.GetPathName(), copy.string());
    EXPECT_EQ(frame().recentFiles().files().front(), copy.string());
    EXPECT_EQ(fake.settings.strings["Recent File List/File1"], copy.string());
    EXPECT_EQ(filesIn(dir.path()), 2u) << "nothing but the saved file is left in the folder";
    GenericState* state = shapesOf<GenericState>(chart()).front();
    const CRect old = state->getRect();
    state->setRect(CRect(old.left + 5, old.top + 3, old.right + 5, old.bottom + 3));
    EXPECT_TRUE(doc.IsModified());
    state->setRect(old);
    EXPECT_FALSE(doc.IsModified());
    trigger(cmd::ZoomIn); // how the chart is shown, not the chart
    EXPECT_FALSE(doc.IsModified());
    // Saving fails into a missing folder or onto a folder: reported, the old file kept.
    state->setRect(CRect(40, 40, 60, 60));
    const fs::path folder = dir.path() / "folder.tvc";
    fs::create_directory(folder);
    for (const fs::path& target : {dir.path() / "no" / "such" / "chart.tvc", folder}) {
        fake.messages.shown.clear();
        files.answers = {target.string()};
        trigger(cmd::FileSaveAs);
        EXPECT_EQ(fake.messages.shown, std::vector<std::string>{target.string() + cFailed +
                                                                "Unable to open for writing"});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), copy.string());
    }
    EXPECT_TRUE(fs::is_directory(folder) && fs::is_empty(folder));
    files.answers = {copy.string()}; // the saved text is the new reference
    trigger(cmd::FileSaveAs);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditorTest, OpenFailuresNameThePathAndTheReasonAndAnEmptyFileIsAnEmptyChart) {
    ASSERT_TRUE(start());
    EXPECT_EQ(active().document().GetTitle(), "Tavren_Diagram1");
    const struct {
        const char* name;
        const char* bytes; // none: missing
        std::string reason;
    } cases[] = {
        {"missing.tvc", nullptr, "No such file or directory"},
        {"bad.tvc", "hello\n6\n", "Not a valid Tavren model file"},
        {"nodata.tvc", "9999 4 1\n6\n", "Invalid File"},
    };
    for (const auto& c : cases) {
        const fs::path path = dir.path() / c.name;
        if (c.bytes)
            writeFile(path, c.bytes);
        fake.messages.shown.clear();
        EXPECT_EQ(frame().OpenDocumentFile(path.string()), nullptr);
        EXPECT_EQ(fake.messages.shown,
                  std::vector<std::string>{path.string() + cFailed + c.reason});
        EXPECT_EQ(fake.messages.icons.back(), MsgIcon::Stop);
    }
    settle();
    EXPECT_EQ(frame().charts().size(), 1u); // only the new chart of the start
    const fs::path empty = dir.path() / "empty.tvc";
    writeFile(empty, "");
    fake.messages.shown.clear();
    ASSERT_NE(frame().OpenDocumentFile(empty.string()), nullptr);
    EXPECT_EQ(active().document().GetPathName(), empty.string());
    EXPECT_TRUE(chart().getModelMgr()->getShapeList().empty());
    EXPECT_FALSE(active().document().IsModified());
    trigger(cmd::FileSave);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(readFile(empty).rfind("9999 4 1", 0), 0u);
    EXPECT_NE(readFile(empty).find("BEGIN DATA"), std::string::npos);
}

TEST_F(EditorTest, ClosingAsksToSaveChangedChartsAndCancelStopsCloseAll) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    // A new chart is numbered, unchanged, and closes without a word.
    trigger(cmd::FileNew);
    EXPECT_EQ(active().document().GetTitle(), "Tavren_Diagram1");
    EXPECT_FALSE(active().document().IsModified());
    trigger(cmd::FileClose);
    settle();
    EXPECT_TRUE(fake.messages.shown.empty());
    // Untitled and changed: Cancel keeps it, Yes goes through Save As.
    trigger(cmd::FileNew);
    std::istringstream door(readFile(cExample));
    chart().read(door);
    ASSERT_TRUE(active().document().IsModified());
    fake.messages.answers = {MsgResult::Cancel};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(frame().charts().size(), 2u);
    EXPECT_EQ(fake.messages.shown.back(), "Save changes to Tavren_Diagram2?");
    const fs::path target = dir.path() / "saved.tvc";
    fake.messages.answers = {MsgResult::Yes};
    files.answers = {target.string()};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(frame().charts().size(), 1u);
    EXPECT_EQ(readFile(target).substr(0, 8), "9999 4 1");
    // Close All stops at a cancelled prompt; discarding closes everything without asking again.
    trigger(cmd::FileNew);
    shapesOf<GenericState>(frame().charts().front()->view().layout())
        .front()
        ->setRect(CRect(40, 40, 60, 60));
    fake.messages.shown.clear();
    for (MsgResult answer : {MsgResult::Cancel, MsgResult::No}) {
        fake.messages.answers = {answer};
        trigger(cmd::CloseAll);
        settle();
        EXPECT_EQ(frame().charts().size(), answer == MsgResult::No ? 0u : 2u);
    }
    EXPECT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_FALSE(enabled(cmd::CloseAll));
}

// An imported document becomes a new chart that is in no file yet; what a chart cannot hold
// is dropped only when the user agrees, and a broken document opens nothing.
TEST_F(EditorTest, ImportReadsScxmlIntoANewUnsavedChart) {
    ASSERT_TRUE(start());
    const std::string head = "<?xml version=\"1.0\"?>\n"
                             "<scxml xmlns=\"http://www.w3.org/2005/07/scxml\" version=\"1.0\">\n";
    // Two ways between two states, a loop, and a way into a nested state.
    const std::string states =
        "<state id=\"Idle\"><transition event=\"go\" target=\"Busy\"/><transition "
        "event=\"again\" target=\"Idle\"/><transition event=\"in\" target=\"Inner\"/></state>\n"
        "<state id=\"Busy\"><state id=\"Inner\"/><transition event=\"back\" target=\"Idle\"/>"
        "</state>\n";
    const struct {
        std::string name, body;
        std::deque<MsgResult> answers;
        bool opens;
        std::string message; // a fragment of the one message shown, empty for none
    } cases[] = {
        {"plain", states, {}, true, ""},
        {"parallel",
         states + "<parallel id=\"P\"/>\n",
         {MsgResult::No},
         false,
         "line 5: <parallel>: parallel states"},
        {"parallel",
         states + "<parallel id=\"P\"/>\n",
         {MsgResult::Yes},
         true,
         "Import the rest without them?"},
        {"broken", "<state id=\"A\">\n", {}, false, "Reason: line 5: malformed XML"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir.path() / (c.name + ".scxml");
        writeFile(path, head + c.body + "</scxml>\n");
        fake.messages.shown.clear();
        fake.messages.answers = c.answers;
        const std::size_t before = frame().charts().size();
        files.answers = {path.string()};
        trigger(cmd::FileImport);
        settle();
        ASSERT_EQ(fake.messages.shown.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_NE(fake.messages.shown[0].find(c.message), std::string::npos)
                << fake.messages.shown[0];
        }
        ASSERT_EQ(frame().charts().size(), before + (c.opens ? 1 : 0));
        if (!c.opens)
            continue;
        CTavrenDoc& doc = active().document();
        EXPECT_EQ(doc.GetTitle(), c.name);
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(shapesOf<GenericState>(chart()).size(), 3u);
        expectTidyLayout(chart());
    }
    // Closing the imported chart asks to save it; No discards.
    fake.messages.shown.clear();
    fake.messages.answers = {MsgResult::No};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(EditorTest, CheckDockListsDiagnosticsSelectsTheirShapesAndFollowsEdits) {
    ASSERT_TRUE(start());
    const fs::path file = openCopy("../tests/conformance/unhandled/chart.tvc", "unhandled.tvc");
    trigger(cmd::CheckChart);
    ASSERT_TRUE(active().isChecking());
    EXPECT_TRUE(frame().action(cmd::CheckChart)->isChecked());
    auto* list = child<QTreeWidget>(*active().checkDock(), "checkList");
    auto findRule = [list](const QString& rule) -> QTreeWidgetItem* {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(2) == rule)
                return list->topLevelItem(i);
        return nullptr;
    };
    QTreeWidgetItem* idle = findRule("handles-no-event");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(0), "warning");
    EXPECT_TRUE(idle->text(1).contains("Stopped_Unhandled"));
    // A click selects the state the warning is about; once its deletion settles, it is gone.
    list->scrollToItem(idle);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(idle).center());
    const auto& chosen = chart().getModelMgr()->getCollection().items();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(dynamic_cast<Shape*>(chosen.front())->getObjId(), 104);
    fake.messages.answers.push_back(MsgResult::Yes);
    trigger(cmd::EditDelete);
    ASSERT_EQ(chart().getModelMgr()->getShape(104), nullptr);
    QTest::qWait(600);
    EXPECT_EQ(findRule("handles-no-event"), nullptr);
    trigger(cmd::CheckChart);
    EXPECT_FALSE(active().isChecking());
    EXPECT_EQ(filesIn(file.parent_path()), 1u) << "checking wrote nothing beside the chart";
}
