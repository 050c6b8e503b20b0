// The property, settings, code-generation and text dialogs and find and replace, driven as the
// user would through the real Qt dialogs, and the owners that open them.

#include "editor/app/default_settings_dlg.h"
#include "editor/app/line_pickers.h"
#include "editor/app/object_tree.h"
#include "editor/app/qt_dialogs.h"
#include "model/default_settings.h"
#include "model/line.h"
#include "model/note.h"
#include "tests/editor/app/app_fixture.h"

#include <array>
#include <fstream>

namespace {

using namespace testsupport;
using Texts = std::array<std::string, 3>;

// Clicks the colour button and answers the platform's colour chooser with colour.
void chooseColor(QDialog& d, const char* buttonName, QColor colour) {
    drive<QColorDialog>(
        [&](QColorDialog& chooser) {
            chooser.setCurrentColor(colour);
            chooser.accept();
        },
        [&] { clickNamed(d, buttonName); });
}

// Raw text, as toPlainText() shows a no-break space as a blank.
std::string shownText(QDialog& d, const char* name) {
    if (auto* line = d.findChild<QLineEdit*>(name))
        return line->text().toStdString();
    auto* plain = child<QPlainTextEdit>(d, name);
    return plain ? plain->document()
                       ->toRawText()
                       .replace(QChar::ParagraphSeparator, u'\n')
                       .toStdString()
                 : "";
}

// Types at the end of the field, pressing Return for each "\n".
void typeAtEnd(QDialog& d, const char* name, const QString& text) {
    QWidget* edit = child(d, name);
    QTest::keySequence(edit, QKeySequence::MoveToEndOfDocument);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

// Replaces the field's whole text by the clipboard's.
void pasteOver(QDialog& d, const char* name, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keySequence(child(d, name), QKeySequence::SelectAll);
    QTest::keySequence(child(d, name), QKeySequence::Paste);
}

class DialogsTest : public ::testing::Test {
protected:
    DialogsTest() {
        platform::install(&dialogs);
        CDefaultSettingDlg::Instance().LoadSettings();
    }
    ~DialogsTest() override { CDefaultSettingDlg::Instance().LoadSettings(); }
    void load(LayoutMgr& chart, const char* example) {
        std::ifstream in(std::string(TAVREN_EXAMPLES) + "/" + example, std::ios::binary);
        chart.read(in);
        chart.initialUpdate();
    }
    FakePlatform fake; // restores the headless dialogs afterwards
    QtDialogs dialogs;
};

TEST_F(DialogsTest, PropertyDialogsAreCaptionedForTheirOwnerAndColoursFollowTheirBoxes) {
    Note note(101, nullptr, CRect(0, 0, 40, 20));
    Mesg mesg(102, nullptr, CRect(0, 0, 30, 6), nullptr);
    struct Row {
        const char* caption;
        std::function<void()> open;
        std::vector<std::pair<const char*, const char*>> pairs; // check box, colour button
        bool borderEditable;
    };
    const Row rows[] = {
        {"Note Properties",
         [&] { note.onContextMenuAction(cmd::Properties); },
         {{"transparent", "bgColor"}},
         false},
        {"Message properties",
         [&] { mesg.onContextMenuAction(cmd::Properties); },
         {{"transparent", "bgColor"}, {"noBorder", "borderColor"}},
         true},
        {"Default Settings",
         [] { DefaultSettingsDlg::run(nullptr); },
         {{"stateTransparent", "stateBgColor"},
          {"mesgTransparent", "mesgBgColor"},
          {"mesgNoBorder", "mesgBorderColor"}},
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), row.caption);
                auto* border = d.findChild<QWidget*>("noBorder");
                EXPECT_TRUE(!border || border->isEnabled() == row.borderEditable);
                for (auto [boxName, colorName] : row.pairs) {
                    auto* check = child<QCheckBox>(d, boxName);
                    auto* colour = child<QAbstractButton>(d, colorName);
                    ASSERT_TRUE(check && colour);
                    for (int clicks = 0; clicks < 3; ++clicks, click(check))
                        EXPECT_EQ(colour->isEnabled(), !check->isChecked()) << boxName;
                }
                click(d, "Cancel");
            },
            row.open);
    }
}

TEST_F(DialogsTest, OwnersTakeTheirValuesBackOnlyOnSave) {
    GenericState state(101, nullptr, CRect(0, 0, 60, 30), "Idle");
    state.setTransparent(true);
    state.setColor(0xC0C0C0);
    for (const bool save : {false, true}) {
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "State Properties");
                auto* colour = child<QAbstractButton>(d, "bgColor");
                EXPECT_FALSE(colour->isEnabled());
                clickNamed(d, "transparent");
                EXPECT_TRUE(colour->isEnabled());
                type(d, "name", "Waiting");
                clickNamed(d, "history");
                chooseColor(d, "bgColor", QColor(0x11, 0x22, 0x33));
                click(d, save ? "Save" : "Cancel");
            },
            [&] { state.onContextMenuAction(cmd::Properties); });
        EXPECT_EQ(state.getName(), save ? "Waiting" : "Idle");
        EXPECT_EQ(state.getColor(), save ? 0x332211u : 0xC0C0C0u);
        EXPECT_EQ(state.isTransparent(), !save);
    }
    Line line(103, nullptr, CPoint(0, 0), CPoint(50, 0));
    drive(
        [&](QDialog& d) {
            EXPECT_EQ(child<QComboBox>(d, "lineColor")->count(), 16);
            EXPECT_EQ(child<QComboBox>(d, "lineStyle")->count(), 5);
            child<QComboBox>(d, "lineColor")->setCurrentIndex(13);
            child<QComboBox>(d, "lineStyle")->setCurrentIndex(4);
            click(d, "Save");
        },
        [&] { line.onContextMenuAction(cmd::Properties); });
    EXPECT_EQ(CDefaultSettingDlg::CreateLinePen(line.getPenStyle(), line.getPenColor()),
              (Pen{PenStyle::Solid, 0, 0xFF0000}));
}

TEST_F(DialogsTest, LineListsDrawTheTablesSwatchesAndPenStyles) {
    const QRect item(0, 0, 60, 18);
    for (int i = 0; i < 16 + 5; ++i) {
        QImage image(item.size(), QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        i < 16 ? CColorComboEx::drawItem(painter, item, i, false)
               : PenPicker::drawItem(painter, item, i - 16, false);
        painter.end();
        if (i < 16) {
            const COLORREF c = CDefaultSettingDlg::cLineColors[std::size_t(i)];
            EXPECT_EQ(image.pixelColor(30, 9), QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16)) << i;
            EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << i;
            continue;
        }
        // Black pixels on the middle row between the 10-pixel margins; gaps but in solid.
        int black = 0, white = 0;
        for (int x = 10; x <= 49; ++x)
            (image.pixelColor(x, 8) == Qt::black ? black : white)++;
        EXPECT_GT(black, 0) << i;
        EXPECT_EQ(white > 0, i < 20) << i;
        EXPECT_EQ(image.pixelColor(5, 8), QColor(Qt::white)) << i;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(0xC4, 0xC4, 0xC4)) << i;
    }
}

TEST_F(DialogsTest, ModelPropertiesFillUntitledAndABlankAndAreOneUndoStep) {
    LayoutMgr view;
    load(view, "door.tvc");
    CObjectTree tree;
    view.setObjectBrowser(&tree);
    drive(
        [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Model Properties");
            for (const char* field : {"modelName", "author", "description"})
                type(d, field, "");
            click(d, "Save");
        },
        [&] { view.onCommand(cmd::ModelProperties); });
    const ModelProperties& props = view.getModelProperties();
    EXPECT_EQ(props.getName() + props.getAuthor() + props.getDesc(), "UntitledUntitled ");
    EXPECT_EQ(tree.rootItem()->text(0), "Untitled") << "the object browser's root follows";
    view.undo();
    EXPECT_EQ(view.getModelProperties().getName(), "Door");
    EXPECT_FALSE(view.isUndoable());
}

TEST_F(DialogsTest, DefaultSettingsSaveToTheStoreWhileChoicesOfColourAndFontLastUntilReopened) {
    CDefaultSettingDlg& record = CDefaultSettingDlg::Instance();
    const COLORREF saved = record.mesgBgColor;
    drive(
        [&](QDialog& d) {
            clickNamed(d, "mesgTransparent");
            chooseColor(d, "mesgBgColor", QColor(0x10, 0x20, 0x30));
            type(d, "stateName", "Waiting");
            click(d, "Cancel");
        },
        [] { DefaultSettingsDlg::run(nullptr); });
    // Nothing stored, only the chosen colour lives on for shapes made now.
    EXPECT_TRUE(fake.settings.ints.empty() && fake.settings.strings.empty());
    EXPECT_EQ(Mesg(1, nullptr, CRect(0, 0, 30, 6), nullptr).getBkColor(), 0x302010u);
    EXPECT_TRUE(record.mesgBgTransparent);
    EXPECT_NE(record.stateName, "Waiting");
    drive(
        [&](QDialog& d) {
            drive<QFontDialog>(
                [](QFontDialog& chooser) {
                    QFont font = chooser.currentFont();
                    font.setPointSize(12);
                    chooser.setCurrentFont(font);
                    chooser.accept();
                },
                [&] { clickNamed(d, "textStyle"); });
            type(d, "stateName", "Waiting");
            click(d, "Save");
        },
        [] { DefaultSettingsDlg::run(nullptr); });
    EXPECT_EQ(record.mesgBgColor, saved) << "reopening reads the store again";
    EXPECT_EQ(fake.settings.ints["Settings/FontSize"], 120);
    EXPECT_EQ(fake.settings.strings["Settings/StateName"], "Waiting");
    EXPECT_EQ(fake.settings.ints["Settings/MesgBgColor"], std::int32_t(saved));
    EXPECT_EQ(fake.settings.ints.size() + fake.settings.strings.size(), 17u);
}

TEST_F(DialogsTest, CodeGenerationSheetFillsItsPagesAndDefaultsEmptyClassNamesOnOk) {
    ModelProperties props;
    props.ctxNameCPP = "Door";
    props.ctxNameSpaceCPP = "home";
    props.declC = "int x;\r\nint y;";
    props.ctxPackageJAVA = "org.home";
    props.ctxNameCSharp = "Gate";
    for (const char* confirm : {"Cancel", "OK"}) {
        SCOPED_TRACE(confirm);
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Code Generation Properties");
                auto* pages = child<QTabWidget>(d, "pages");
                QStringList titles;
                for (int i = 0; i < pages->count(); ++i)
                    titles << pages->tabText(i);
                EXPECT_EQ(titles, QStringList({"C++", "ANSI C", "Java", "C# (.Net)"}));
                EXPECT_EQ(shownText(d, "cppNamespace"), "home");
                EXPECT_EQ(shownText(d, "cDecl"), "int x;\nint y;");
                EXPECT_EQ(shownText(d, "javaPackage"), "org.home");
                for (const char* name : {"cppClass", "cppInclude", "javaClass", "csClass"})
                    type(d, name, "");
                type(d, "csPackage", "Home.Gates");
                click(d, confirm);
            },
            [&] { props.editCodeGenProp(); });
        if (std::string(confirm) == "Cancel") {
            EXPECT_EQ(props.getCtxNameCPP() + props.getCtxPackageCSharp(), "Door");
        }
    }
    EXPECT_EQ(props.getCtxNameCPP() + props.getCtxFileCPP() + props.getCtxNameJAVA() +
                  props.getCtxNameCSharp(),
              "ContextContext.hContextContext");
    EXPECT_EQ(props.getCtxNameSpaceCPP(), "home");
    EXPECT_EQ(props.getDeclC(), "int x;\r\nint y;");
    EXPECT_EQ(props.getCtxPackageCSharp(), "Home.Gates");
}

TEST_F(DialogsTest, FindAndReplaceListsEnablesAndReplacesAsOneUndoStep) {
    LayoutMgr view;
    load(view, "media_player.tvc");
    const std::string before = text(view);
    auto rows = [](QDialog& d) { return child<QTreeWidget>(d, "result")->topLevelItemCount(); };
    auto select = [](QDialog& d, std::initializer_list<int> which) {
        auto* list = child<QTreeWidget>(d, "result");
        list->clearSelection();
        for (int i : which)
            list->topLevelItem(i)->setSelected(true);
    };
    drive(
        [&](QDialog& d) {
            QAbstractButton* replace = button(d, "Replace");
            QAbstractButton* edit = button(d, "Edit");
            EXPECT_FALSE(replace->isEnabled() || edit->isEnabled());
            click(d, "Find");
            EXPECT_EQ(fake.messages.shown,
                      std::vector<std::string>{"Please enter a search string"});
            EXPECT_EQ(fake.messages.icons.back(), MsgIcon::Stop);
            type(d, "findWhat", "player");
            for (bool states : {false, true}) {
                clickNamed(d, "inStates");
                clickNamed(d, "inEvents");
                click(d, "Find");
                EXPECT_EQ(rows(d), states ? 5 : 0);
            }
            EXPECT_EQ(fake.messages.shown.size(), 1u);
            ASSERT_EQ(rows(d), 5);
            select(d, {0});
            EXPECT_TRUE(replace->isEnabled() && edit->isEnabled());
            drive(
                [](QDialog& editor) {
                    EXPECT_EQ(editor.windowTitle(), "Playing : Entry/Exit Editor");
                    click(editor, "Cancel");
                },
                [&] { click(edit); });
            select(d, {0, 3});
            EXPECT_TRUE(replace->isEnabled());
            EXPECT_FALSE(edit->isEnabled());
            type(d, "findWhat", "");
            click(replace);
            EXPECT_EQ(fake.messages.shown.size(), 2u);
            type(d, "findWhat", "player");
            type(d, "replaceWith", "deck");
            click(replace);
            EXPECT_EQ(rows(d), 3) << "rows that lost the text go";
            select(d, {0});
            type(d, "replaceWith", "media.player");
            click(replace);
            EXPECT_EQ(rows(d), 3) << "rows that keep it stay";
            click(d, "Close");
        },
        [&] { view.onCommand(cmd::FindReplace); });
    EXPECT_NE(text(view), before);
    view.undo();
    EXPECT_EQ(text(view), before);
    EXPECT_FALSE(view.isUndoable());
}

// Texts are event, guard and effect.
TEST_F(DialogsTest, EventEditorKeepsEventAndGuardOnOneLineAndRefusesAnEmptyEvent) {
    struct Row {
        const char* name;
        Texts given;
        std::function<void(QDialog&)> script;
        bool confirmed;
        Texts expected;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"a missing event shows and stays the placeholder",
         {"", "", ""},
         [](QDialog& d) {
             EXPECT_EQ(shownText(d, "event"), "-Edit-");
             click(d, "Update");
         },
         true,
         {"-Edit-", "", ""},
         {}},
        {"an emptied event is refused and cancel keeps the label",
         {"go", "x > 1", "a();\r\nb();"},
         [](QDialog& d) {
             type(d, "event", "");
             click(d, "Update");
             EXPECT_TRUE(d.isVisible());
             click(d, "Cancel");
         },
         false,
         {"go", "x > 1", "a();\r\nb();"},
         {"Event Cannot Be Empty"}},
        {"pasted line breaks become blanks in event and guard only",
         {"go", "", ""},
         [](QDialog& d) {
             pasteOver(d, "event", "tick\r\ntock");
             pasteOver(d, "guard", "a\nb\rc");
             pasteOver(d, "effect", "x();\ny();");
             EXPECT_EQ(shownText(d, "guard"), "a b c");
             click(d, "Update");
         },
         true,
         {"tick tock", "a b c", "x();\r\ny();"},
         {}},
        {"untouched fields give back their bytes, an event on one line",
         {"a\r\nb", "g\xE9", "e"},
         [](QDialog& d) {
             EXPECT_EQ(shownText(d, "event"), "a b");
             typeAtEnd(d, "effect", "f");
             click(d, "Update");
         },
         true,
         {"a b", "g\xE9", "ef"},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fake.messages.shown.clear();
        fake.messages.icons.clear();
        Texts texts = row.given;
        bool confirmed = !row.confirmed;
        drive(row.script,
              [&] { confirmed = dialogs.editEvent("Edit", texts[0], texts[1], texts[2]); });
        EXPECT_EQ(confirmed, row.confirmed);
        EXPECT_EQ(texts, row.expected);
        EXPECT_EQ(fake.messages.shown, row.messages);
        EXPECT_EQ(fake.messages.icons, std::vector<MsgIcon>(row.messages.size(), MsgIcon::Stop));
    }
}

// The entry field is edited; the exit field, left alone, must come back byte for byte.
TEST_F(DialogsTest, MultiLineTextsShowLinesAndComeBackWithCrLf) {
    const struct {
        const char* name;
        std::string given, shownAs;
        QString typed, pasted;
        std::string expected;
    } rows[] = {
        {"lines unchanged", "a();\r\n\r\nb();", "a();\n\nb();", "", "", "a();\r\n\r\nb();"},
        {"no line breaks, byte for byte", "x\xC2\xA0y\t", "x\xC2\xA0y\t", "", "", "x\xC2\xA0y\t"},
        {"typed line", "a();", "a();", "\nb();", "", "a();\r\nb();"},
        {"pasted lines", "", "", "", "p\nq\r\nr\rs", "p\r\nq\r\nr\r\ns"},
        {"edited text keeps its no-break space", "x\xC2\xA0y", "x\xC2\xA0y", "z", "",
         "x\xC2\xA0yz"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string entry = row.given;
        std::string exit = "done();\r\nlog('\xE9');"; // not UTF-8
        bool confirmed = false;
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(shownText(d, "entry"), row.shownAs);
                if (!row.pasted.isEmpty())
                    pasteOver(d, "entry", row.pasted);
                typeAtEnd(d, "entry", row.typed);
                click(d, "OK");
            },
            [&] { confirmed = dialogs.editEntryExit("S", entry, exit); });
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(entry, row.expected);
        EXPECT_EQ(exit, "done();\r\nlog('\xE9');");
    }
}

TEST_F(DialogsTest, ShapesEditTheirTextsThroughTheDialogs) {
    Note note(101, nullptr, {0, 0, 12, 6});
    for (const char* confirm : {"Cancel", "Update"})
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Note Editor");
                EXPECT_EQ(shownText(d, "text"), "Note");
                typeAtEnd(d, "text", "\nCheck the door");
                click(d, confirm);
            },
            [&] { note.onContextMenuAction(cmd::EditNote); });
    EXPECT_EQ(note.getTextHandler()->getData(), "Note\r\nCheck the door");
    GenericState state(102, nullptr, {0, 0, 20, 10}, "Idle");
    state.getTextHandler()->setData("open();", "");
    drive(
        [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Idle : Entry/Exit Editor");
            typeAtEnd(d, "exit", "close();");
            click(d, "Cancel");
        },
        [&] { state.onContextMenuAction(cmd::EditEntryExit); });
    EXPECT_EQ(state.getTextHandler()->getEntry() + state.getTextHandler()->getExit(), "open();");
}

} // namespace
