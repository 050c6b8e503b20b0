#include "model/config.h"
#include "model/text_box.h"
#include "tests/model/chart_fixture.h"

#include <gtest/gtest.h>

TEST(TextBoxTest, ReplaceEveryOccurrenceWithoutSearchingInsertedText) {
    TextBox box;
    box.setData("aba");
    EXPECT_TRUE(box.replaceString("a", "aa"));
    EXPECT_EQ(box.getData(), "aabaa");
    box.setData("xxxx");
    EXPECT_TRUE(box.replaceString("xx", "x"));
    EXPECT_EQ(box.getData(), "xx");
    EXPECT_FALSE(box.replaceString("z", "y"));
    EXPECT_FALSE(box.replaceString("", "y")); // would never end
    EXPECT_EQ(box.getData(), "xx");

    EntryExitTextBox actions;
    actions.setData("start();", "log(x); stop(x);");
    EXPECT_TRUE(actions.replaceString("x", "y")); // only in the exit action
    EXPECT_EQ(actions.getEntry(), "start();");
    EXPECT_EQ(actions.getExit(), "log(y); stop(y);");
    EXPECT_TRUE(actions.findString("stop"));
    EXPECT_FALSE(actions.findString("Stop"));

    EventEditorBox label;
    label.setData("go", "go_ok", "go();");
    EXPECT_TRUE(label.replaceString("go", "run"));
    EXPECT_EQ(label.getEvent() + label.getGuard() + label.getEffect(), "runrun_okrun();");
    EXPECT_TRUE(label.findString("n_o"));
    EXPECT_FALSE(label.findString("go"));
}

class TextBoxViewTest : public ChartTest {};

TEST_F(TextBoxViewTest, EditTakesTheDialogTextsOnlyWhenConfirmed) {
    TextBox note;
    note.setData("old");
    EventEditorBox label;
    label.setData("ev", "g", "fx");
    if constexpr (config::kInteractive) {
        EXPECT_FALSE(note.handleEdit("Note")); // the scripted dialogs cancel
        EXPECT_FALSE(label.handleEdit("Message"));
        EXPECT_EQ(fake.dialogs.titles, (std::vector<std::string>{"Note", "Message"}));
    }
    fake.dialogs.onText = [](std::string& t) {
        t = "new";
        return true;
    };
    fake.dialogs.onEvent = [](std::string& ev, std::string& g, std::string&) {
        ev = "tick";
        g = "";
        return true;
    };
    EXPECT_TRUE(note.handleEdit("Note"));
    EXPECT_TRUE(label.handleEdit("Message"));
    if constexpr (config::kInteractive) {
        EXPECT_EQ(note.getData(), "new");
        EXPECT_EQ(label.getEvent() + "|" + label.getGuard() + "|" + label.getEffect(), "tick||fx");
    } else {
        // No editor dialogs in the library: success, and nothing changes.
        EXPECT_TRUE(fake.dialogs.titles.empty());
        EXPECT_EQ(note.getData(), "old");
        EXPECT_EQ(label.getEvent(), "ev");
    }
}

TEST_F(TextBoxViewTest, DrawingBuildsTheLinesInTheViewsTextStyle) {
    const CRect r(10, 20, 110, 80);
    auto drawn = [&](auto& box) {
        RecordingDC dc;
        box.create(&view);
        box.drawText(&dc, r);
        if constexpr (config::kInteractive) {
            EXPECT_EQ(dc.calls.at(1), "Font Courier 100");
            EXPECT_EQ(dc.calls.at(2), "TextColor 0x000080");
        }
        return dc.matching("DrawText");
    };
    EventEditorBox label;
    label.setData("ev", "", "");
    const auto oneLine = drawn(label);
    label.setData("ev", "n > 0", "go();");
    const auto threeLines = drawn(label);
    EntryExitTextBox actions;
    actions.setData("", "stop();");
    TextBox note;
    note.setData("<M>see<M> here");
    if constexpr (!config::kInteractive) {
        EXPECT_TRUE(oneLine.empty());
        EXPECT_TRUE(drawn(note).empty());
        return;
    }
    EXPECT_EQ(oneLine, std::vector<std::string>{"DrawText 10 20 110 80 onEvent(ev)"});
    EXPECT_EQ(threeLines,
              std::vector<std::string>{"DrawText 10 20 110 80 onEvent(ev)\r\n[n > 0]\r\n/go();"});
    EXPECT_EQ(drawn(actions),
              std::vector<std::string>{"DrawText 10 20 110 80 [Entry]\r\n[Exit]\r\nstop();"});
    EXPECT_EQ(drawn(note), std::vector<std::string>{"DrawText 10 20 110 80 see here"});
}
