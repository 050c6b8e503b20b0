#include "model/config.h"
#include "model/default_settings.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {

// Every field in declaration order, so whole records compare and assign in one
// go.
auto fields(CDefaultSettingDlg& s) {
    return std::tie(s.stateName, s.stateAnchor, s.stateBgTransparent, s.mesgAnchor, s.mesgBorder,
                    s.mesgBgTransparent, s.showGrid, s.lineColor, s.lineStyle, s.entry, s.exit,
                    s.stateBgColor, s.mesgBorderColor, s.mesgBgColor, s.fontName, s.fontSize,
                    s.fontColor);
}
using Fields = std::tuple<std::string, bool, bool, bool, bool, bool, bool, int, int, std::string,
                          std::string, COLORREF, COLORREF, COLORREF, std::string, int, COLORREF>;

const std::string cDefaultStateName = config::kInteractive ? "State" : "-MISSING-";
// clang-format off
const Fields cDefaults{cDefaultStateName, true, false,     // state: name, anchors, transparent
                       true, true, true, true,             // message: anchors, no border,
                                                           //   transparent; grid
                       0, 0, "", "",                       // line colour, style; entry, exit
                       0xBFFFFF, 0x00FF00, 0xFFFFFF,       // state bg, message border, message bg
                       "Verdana", 80, 128};                // font
// Every field away from its default, so a field that is not saved or not loaded shows.
const Fields cChanged{"Idle", false, true,
                      false, false, false, false,
                      13, 4, "start();\r\nlog();", "stop();",
                      0x123456, 0xABCDEF, 0,
                      "Courier New", 120, 0xFF0000};
// clang-format on

} // namespace

// Every field saved and read back from a reopened store; an empty store gives
// every default.
TEST(DefaultSettingsTest, SavedFieldsReadBackAndAnEmptyStoreGivesDefaults) {
    FakePlatform fake;
    CDefaultSettingDlg& s = CDefaultSettingDlg::Instance();
    EXPECT_EQ(&s, &CDefaultSettingDlg::Instance());
    fields(s) = cChanged;
    s.SaveSettings();
    EXPECT_EQ(fake.settings.strings.at("Settings/StateName"), "Idle");
    MemorySettingsStore reopened;
    reopened.ints = std::exchange(fake.settings.ints, {});
    reopened.strings = std::exchange(fake.settings.strings, {});
    s.LoadSettings(); // the empty store
    EXPECT_EQ(fields(s), cDefaults);
    platform::install(&reopened);
    s.LoadSettings();
    EXPECT_EQ(fields(s), cChanged);
}

TEST(DefaultSettingsTest, StoredValuesWinAndMissingOnesKeepTheirDefaults) {
    FakePlatform fake;
    fake.settings.writeInt("Settings", "MesgBorder",
                           0); // clears "No Border": drawn with one
    fake.settings.writeString("Settings", "StateName",
                              ""); // stored empty is not missing
    // The same name in another section, or stored as the other kind, does not
    // count.
    fake.settings.writeInt("ToolBars", "FontSize", 200);
    fake.settings.writeString("Settings", "FontSize", "120");
    CDefaultSettingDlg& s = CDefaultSettingDlg::Instance();
    s.LoadSettings();
    Fields want = cDefaults;
    std::get<0>(want) = "";
    std::get<4>(want) = false;
    EXPECT_EQ(fields(s), want);
}

TEST(DefaultSettingsTest, LinePenTakesTableEntriesAndClampsOutOfRangeIndexes) {
    struct Case {
        int style, color;
        Pen want;
    };
    const Case cases[] = {
        {0, 0, {PenStyle::Dot, 0, 0x000080}},
        {2, 10, {PenStyle::DashDot, 0, 0x0000FF}},
        {4, 15, {PenStyle::Solid, 0, 0xFFFF00}},
        {5, 16, {PenStyle::Dot, 0, 0x000080}}, // one past each table
        {-1, -1, {PenStyle::Dot, 0, 0x000080}},
        {INT_MIN, INT_MAX, {PenStyle::Dot, 0, 0x000080}},
        {4, 99, {PenStyle::Solid, 0, 0x000080}}, // each index clamped on its own
        {-7, 2, {PenStyle::Dot, 0, 0xFFFFFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << ", colour " << c.color);
        EXPECT_EQ(CDefaultSettingDlg::CreateLinePen(c.style, c.color), c.want);
    }
}
