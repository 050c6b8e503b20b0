#include "platform/services.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

TEST(ServicesTest, HeadlessServicesAnswerWithDefaultsAndFakesServeUntilRemoved) {
    auto ask = [] {
        return platform::messageBoxes().show("?", MsgButtons::YesNo, MsgIcon::Question,
                                             MsgResult::No);
    };
    EXPECT_EQ(ask(), MsgResult::No);
    std::string text = "kept";
    EXPECT_FALSE(platform::dialogs().editText("Note", text) || text != "kept");
    platform::settings().writeInt("Settings", "ShowGrid", 0);
    EXPECT_FALSE(platform::settings().readInt("Settings", "ShowGrid").has_value());
    EXPECT_FALSE(platform::clipboard().getData("TAVREN_FORMAT").has_value());
    {
        FakePlatform fake;
        fake.messages.answers.push_back(MsgResult::Yes);
        EXPECT_EQ(ask(), MsgResult::Yes);
        EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"?"});
        platform::settings().writeString("Settings", "FontName", "Arial");
        EXPECT_EQ(platform::settings().readString("Settings", "FontName"), "Arial");
    }
    EXPECT_FALSE(platform::settings().readString("Settings", "FontName").has_value());
}
