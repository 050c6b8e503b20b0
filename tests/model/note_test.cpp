#include "model/config.h"
#include "model/note.h"
#include "model/res_strings.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"

#include <gtest/gtest.h>

class NoteTest : public ChartTest {};

TEST_F(NoteTest, NewNoteAndItsAnchors) {
    auto* n = add(new Note(newId(), &view, {10, 10, 22, 16}));
    EXPECT_EQ(n->getTextHandler()->getData(), config::kInteractive ? "Note" : "-MISSING-");
    if constexpr (config::kInteractive) {
        EXPECT_EQ(n->getNodes(), (std::map<NODE, CPoint>{{NODE(1, 1), {16, 10}},
                                                         {NODE(1, 2), {22, 13}},
                                                         {NODE(1, 3), {16, 16}},
                                                         {NODE(1, 4), {10, 13}}}));
    } else {
        EXPECT_TRUE(n->getNodes().empty());
    }
}

TEST_F(NoteTest, Drawing) {
    auto* n = add(new Note(newId(), &view, {1, 1, 13, 7}));
    n->getTextHandler()->setData("remember<M>");
    RecordingDC dc;
    n->draw(&dc);
    if constexpr (!config::kInteractive) {
        EXPECT_TRUE(dc.calls.empty());
        return;
    }
    // Client pixels (6, 6, 78, 42); the folded corner is pFu(2) = 12 pixels.
    EXPECT_EQ(dc.matching("Polygon"),
              std::vector<std::string>{"Polygon 6 6 6 42 78 42 78 18 66 6 6 6"});
    EXPECT_EQ(dc.count("Pen Solid 0 0x000080"), 1);
    EXPECT_EQ(dc.count("Brush Solid 0x80ffff"), 1);
    EXPECT_EQ(dc.matching("LineTo"), (std::vector<std::string>{"LineTo 66 18", "LineTo 66 6"}));
    EXPECT_EQ(dc.matching("DrawText"), std::vector<std::string>{"DrawText 9 9 66 39 remember"});
}

TEST_F(NoteTest, Commands) {
    auto* n = add(new Note(newId(), &view, {1, 1, 13, 7}));
    fake.dialogs.onBox = [](BoxProperties& p) {
        EXPECT_EQ(p.bkColor, 0x0080FFFFu);
        p.transparent = true;
        p.hidden = true;
        return true;
    };
    n->onContextMenuAction(cmd::Properties);
    n->onContextMenuAction(cmd::EditNote); // the scripted editor cancels
    EXPECT_EQ(fake.dialogs.titles.front(), LoadResString(IDS_NOTE_PROPERTIES));
    if constexpr (config::kInteractive) {
        EXPECT_EQ(fake.dialogs.titles.back(), "Note");
    }
    EXPECT_TRUE(n->isTransparent());
    EXPECT_FALSE(n->isNodeShown());
    if constexpr (config::kInteractive) {
        fake.dialogs.onText = [](std::string& text) {
            text = "double-clicked";
            return true;
        };
        n->onLButtonDoubleClick(0, {});
        EXPECT_EQ(n->getTextHandler()->getData(), "double-clicked");
    }
    const long id = n->getObjId();
    n->onContextMenuAction(cmd::DeleteNote); // No is the default answer
    EXPECT_TRUE(listed(n));
    fake.messages.answers.push_back(MsgResult::Yes);
    n->onContextMenuAction(cmd::DeleteNote);
    EXPECT_EQ(view.getModelMgr()->getShape(id), nullptr);
}
