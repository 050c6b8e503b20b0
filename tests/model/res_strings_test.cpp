#include "model/config.h"
#include "model/res_strings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Removes an installed language source even when a test fails half-way.
struct LanguageSourceGuard {
    ~LanguageSourceGuard() { setResourceStringSource(nullptr); }
};

// A constant without a table entry would show "-MISSING-" in the editor.
// clang-format off
const unsigned cNamedIds[] = {
    IDS_DOC_TEMPLATE, IDS_CODEGEN_PROPERTIES, IDS_PROMPT_SHOW_ANCHORS, IDS_PROMPT_CHART_BROWSER,
    IDS_PROMPT_CLOSE_ALL, IDS_CLIPBOARD_ERROR, IDS_ENTRY, IDS_EXIT, IDS_ON_EVENT, IDS_NOTE,
    IDS_NOTE_PROPERTIES, IDS_UNTITLED, IDS_PROMPT_OBJECT_BROWSER,
    IDS_APP_TITLE, IDS_STATE_NAME, IDS_VERSION, IDS_MAIN_MENU, IDS_OBJECT_BROWSER, IDS_EDITOR,
    IDS_ENTRY_EXIT_EDITOR, IDS_MESSAGE_PROPERTIES, IDS_FIND_COLUMN_OBJECT, IDS_FIND_COLUMN_DETAIL,
    IDS_CPP_GENERATION, IDS_C_GENERATION, IDS_CSHARP_GENERATION, IDS_JAVA_GENERATION,
    IDS_XML_GENERATION, IDS_PROMPT_EXPORT_WMF,
    IDS_COMMAND_FAILED, IDS_UNKNOWN_ERROR, IDS_OPEN_FOR_WRITING_FAILED, IDS_CONFIRM_DELETE,
    IDS_CONFIRM_DELETE_LINE, IDS_CONFIRM_DELETE_SELECTION, IDS_ROUTE_UNRECOVERABLE,
    IDS_PASTE_MISSING_DEPENDENTS, IDS_METAFILE_COPIED, IDS_EVENT_EMPTY, IDS_ENTER_SEARCH_STRING,
    IDS_SAVE_BEFORE_GENERATE, IDS_EMPTY_MODEL, IDS_HELP_NOT_FOUND, IDS_NO_HELP_VIEWER,
    IDS_NO_WEB_BROWSER, IDS_LANGUAGE_UNREADABLE, IDS_LANGUAGE_UNSUPPORTED,
    IDS_LANGUAGE_LOAD_FAILED_BEFORE, IDS_LANGUAGE_LOAD_FAILED_AFTER, IDS_CORRUPTED_INSTALLATION,
    IDS_INIT_ERROR,
};
// clang-format on

} // namespace

TEST(ResStringsTest, BuiltInTextsByIdAndMissingMarkerForOthers) {
    struct Case {
        unsigned id;
        std::string interactive;
    };
    const Case cases[] = {
        {32934, "Note"},
        {32897, "Entry"},
        {32898, "Exit"},
        {32911, "onEvent"},
        {32952, "Untitled"},
        {171, "Code Generation Properties"},
        {32864, "Show or hide the chart browser\nToggle Chart Browser"},
        {IDS_STATE_NAME, "State"},
        {IDS_COMMAND_FAILED, "Command Failed.\n\nReason: "},
        {0, "-MISSING-"},
        {1234567, "-MISSING-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LoadResString(c.id), config::kInteractive ? c.interactive : "-MISSING-");
    }
}

TEST(ResStringsTest, EveryNamedIdHasABuiltInText) {
    for (unsigned id : cNamedIds) {
        SCOPED_TRACE(id);
        const std::string text = LoadResString(id);
        EXPECT_TRUE(config::kInteractive ? text != "-MISSING-" && !text.empty()
                                         : text == "-MISSING-");
    }
}

TEST(ResStringsTest, LanguageSourceIsAskedFirstUntilRemoved) {
    LanguageSourceGuard guard;
    setResourceStringSource([](unsigned id) -> std::optional<std::string> {
        if (id == IDS_NOTE)
            return "Notiz";
        if (id == 40000)
            return "nur im Modul";
        return std::nullopt;
    });
    if constexpr (config::kInteractive) {
        EXPECT_EQ(LoadResString(IDS_NOTE), "Notiz");
        EXPECT_EQ(LoadResString(40000), "nur im Modul");
        EXPECT_EQ(LoadResString(IDS_ENTRY), "Entry"); // not translated: English
        EXPECT_EQ(LoadResString(40001), "-MISSING-");
    } else {
        // The library has no resources at all, translated or not.
        EXPECT_EQ(LoadResString(IDS_NOTE), "-MISSING-");
        EXPECT_EQ(LoadResString(40000), "-MISSING-");
    }

    setResourceStringSource(nullptr);
    EXPECT_EQ(LoadResString(IDS_NOTE), config::kInteractive ? "Note" : "-MISSING-");
    EXPECT_EQ(LoadResString(40000), "-MISSING-");
}
