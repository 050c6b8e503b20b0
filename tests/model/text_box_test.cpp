#include "model/text_box.h"

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
