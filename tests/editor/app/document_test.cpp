// Opening, saving, modification and closing of charts through the running editor.

#include "editor/app/child_frame.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "model/link.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <filesystem>
#include <sstream>

using testsupport::readFile;
using testsupport::writeFile;
namespace fs = std::filesystem;

namespace {

const std::string cExample = std::string(TAVREN_EXAMPLES) + "/door.tvc";
const std::string cFailed = "\n\nCommand Failed.\n\nReason: ";

GenericState* firstState(CChildFrame& child) {
    for (Shape* shape : child.view().layout().getModelMgr()->getShapeList()) {
        if (auto* state = dynamic_cast<GenericState*>(shape))
            return state;
    }
    return nullptr;
}

// A laid-out chart keeps its transitions on their states' anchors, so moving a state drags
// the ends along where they are, and its labels apart.
void expectTidyLayout(const std::vector<Shape*>& shapes) {
    std::vector<CRect> labels;
    for (Shape* shape : shapes) {
        if (auto* t = dynamic_cast<Transition*>(shape)) {
            ASSERT_TRUE(t->getHeadState() && t->getTailState());
            EXPECT_EQ(t->getHeadLink()->getHeadPt(),
                      t->getHeadState()->getAnchorPoint(t->getHeadNode()));
            EXPECT_EQ(t->getTailLink()->getTailPt(),
                      t->getTailState()->getAnchorPoint(t->getTailNode()));
        }
        if (auto* label = dynamic_cast<Mesg*>(shape))
            labels.push_back(label->getRect());
    }
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(CRect().IntersectRect(labels[i], labels[j])) << i << " " << j;
}

} // namespace

TEST_F(EditorTest, NewChartsAreNumberedAndNotModified) {
    ASSERT_TRUE(start());
    ASSERT_EQ(frame().charts().size(), 1u);
    EXPECT_EQ(frame().activeChild()->document().GetTitle(), "Tavren_Diagram1");
    trigger(cmd::FileNew);
    CChildFrame* second = frame().activeChild();
    EXPECT_EQ(second->document().GetTitle(), "Tavren_Diagram2");
    EXPECT_FALSE(second->document().IsModified());
    // Closing an unchanged chart asks nothing.
    trigger(cmd::FileClose);
    settle();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(frame().charts().size(), 1u);
}

TEST_F(EditorTest, SavingAnOpenedChartWritesTheSameBytes) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    CChildFrame* child = frame().activeChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->document().GetPathName(), fs::absolute(cExample).string());
    EXPECT_EQ(child->document().GetTitle(), "door.tvc");

    const fs::path copy = dir.path() / "copy.tvc";
    files.answers = {copy.string()};
    trigger(cmd::FileSaveAs);
    EXPECT_EQ(files.suggestions.back(), fs::absolute(cExample).string());
    EXPECT_EQ(readFile(copy), readFile(cExample));
    EXPECT_EQ(child->document().GetPathName(), copy.string());
    EXPECT_EQ(frame().recentFiles().files().front(), copy.string());
    EXPECT_EQ(fake.settings.strings["Recent File List/File1"], copy.string());
    // Nothing but the saved file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(EditorTest, ModifiedWhileTheFileTextDiffers) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    CChildFrame& child = *frame().activeChild();
    CTavrenDoc& doc = child.document();
    EXPECT_FALSE(doc.IsModified());

    GenericState* state = firstState(child);
    ASSERT_NE(state, nullptr);
    const CRect old = state->getRect();
    CRect moved = old;
    moved.OffsetRect(CPoint(5, 3));
    state->setRect(moved);
    EXPECT_TRUE(doc.IsModified());
    state->setRect(old);
    EXPECT_FALSE(doc.IsModified());
    // Zooming changes how the chart is shown, not the chart.
    trigger(cmd::ZoomIn);
    EXPECT_FALSE(doc.IsModified());

    // Changed again, then saved: the saved text is the new reference.
    state->setRect(moved);
    const fs::path saved = dir.path() / "moved.tvc";
    files.answers = {saved.string()};
    trigger(cmd::FileSaveAs);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(EditorTest, OpenFailuresNameThePathAndTheReason) {
    ASSERT_TRUE(start());
    const fs::path missing = dir.path() / "missing.tvc";
    const fs::path badHeader = dir.path() / "bad.tvc";
    writeFile(badHeader, "hello\n6\n");
    const fs::path noData = dir.path() / "nodata.tvc";
    writeFile(noData, "9999 4 1\n6\n");

    const struct {
        fs::path path;
        std::string reason;
    } cases[] = {
        {missing, "No such file or directory"},
        {badHeader, "Not a valid Tavren model file"},
        {noData, "Invalid File"},
    };
    for (const auto& c : cases) {
        fake.messages.shown.clear();
        EXPECT_EQ(frame().OpenDocumentFile(c.path.string()), nullptr);
        ASSERT_EQ(fake.messages.shown.size(), 1u) << c.path;
        EXPECT_EQ(fake.messages.shown[0], c.path.string() + cFailed + c.reason);
        EXPECT_EQ(fake.messages.icons[0], MsgIcon::Stop);
    }
    settle();
    EXPECT_EQ(frame().charts().size(), 1u); // only the new chart of the start
}

TEST_F(EditorTest, ZeroByteFileOpensAsAnEmptyChartWithItsPath) {
    ASSERT_TRUE(start());
    const fs::path empty = dir.path() / "empty.tvc";
    writeFile(empty, "");
    CChildFrame* child = frame().OpenDocumentFile(empty.string());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->document().GetPathName(), empty.string());
    EXPECT_TRUE(child->view().layout().getModelMgr()->getShapeList().empty());
    EXPECT_FALSE(child->document().IsModified());

    trigger(cmd::FileSave);
    EXPECT_TRUE(fake.messages.shown.empty());
    const std::string text = readFile(empty);
    EXPECT_EQ(text.rfind("9999 4 1", 0), 0u);
    EXPECT_NE(text.find("BEGIN DATA"), std::string::npos);
}

TEST_F(EditorTest, FailedSaveReportsAndKeepsTheOldFile) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    CChildFrame& child = *frame().activeChild();
    firstState(child)->setRect(CRect(40, 40, 60, 60));

    const fs::path noFolder = dir.path() / "no" / "such" / "chart.tvc";
    const fs::path folder = dir.path() / "folder.tvc";
    fs::create_directory(folder);
    for (const fs::path& target : {noFolder, folder}) {
        fake.messages.shown.clear();
        files.answers = {target.string()};
        trigger(cmd::FileSaveAs);
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0], target.string() + cFailed + "Unable to open for writing");
        EXPECT_TRUE(child.document().IsModified());
        EXPECT_EQ(child.document().GetPathName(), fs::absolute(cExample).string());
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(EditorTest, ClosePromptsSaveDiscardOrCancel) {
    ASSERT_TRUE(start());
    const fs::path target = dir.path() / "saved.tvc";
    trigger(cmd::FileNew);
    // Untitled and changed: Yes goes through Save As.
    CChildFrame* changed = frame().activeChild();
    std::istringstream chart(readFile(cExample));
    changed->view().layout().read(chart);
    ASSERT_TRUE(changed->document().IsModified());

    fake.messages.answers = {MsgResult::Cancel};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(frame().charts().size(), 2u);
    EXPECT_EQ(fake.messages.shown.back(), "Save changes to Tavren_Diagram2?");

    fake.messages.answers = {MsgResult::Yes};
    files.answers = {target.string()};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(frame().charts().size(), 1u);
    EXPECT_EQ(readFile(target).substr(0, 8), "9999 4 1");
}

TEST_F(EditorTest, CloseAllStopsWhenASavePromptIsCancelled) {
    ASSERT_TRUE(start({QString::fromStdString(cExample)}));
    trigger(cmd::FileNew);
    firstState(*frame().charts().front())->setRect(CRect(40, 40, 60, 60));

    fake.messages.answers = {MsgResult::Cancel};
    trigger(cmd::CloseAll);
    settle();
    EXPECT_EQ(frame().charts().size(), 2u);
    EXPECT_EQ(fake.messages.shown.size(), 1u);

    // Discarding closes everything without asking again.
    fake.messages.answers = {MsgResult::No};
    trigger(cmd::CloseAll);
    settle();
    EXPECT_TRUE(frame().charts().empty());
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
        std::string name;
        std::string body;
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
        CTavrenDoc& doc = frame().activeChild()->document();
        EXPECT_EQ(doc.GetTitle(), c.name);
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_TRUE(doc.IsModified());
        std::size_t stateCount = 0;
        for (Shape* shape : frame().activeChild()->view().layout().getModelMgr()->getShapeList())
            stateCount += dynamic_cast<GenericState*>(shape) != nullptr;
        EXPECT_EQ(stateCount, 3u);
        expectTidyLayout(frame().activeChild()->view().layout().getModelMgr()->getShapeList());
    }
    // Closing the imported chart asks to save it; No discards.
    fake.messages.shown.clear();
    fake.messages.answers = {MsgResult::No};
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}
