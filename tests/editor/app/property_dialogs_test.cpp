// The property, settings and code-generation dialogs and find and replace, driven as the user
// would through the real Qt dialogs, and the owners that open them.

#include "editor/app/child_frame.h"
#include "editor/app/default_settings_dlg.h"
#include "editor/app/line_pickers.h"
#include "editor/app/object_tree.h"
#include "editor/app/qt_dialogs.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/default_settings.h"
#include "model/generic_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "tests/editor/app/dialog_driver.h"
#include "view/layout_mgr.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace dialogdriver;

// Clicks the colour button and answers the platform's colour chooser with colour.
void chooseColor(QDialog& d, const char* buttonName, QColor colour) {
    drive<QColorDialog>(
        [&](QColorDialog& chooser) {
            chooser.setCurrentColor(colour);
            chooser.accept();
        },
        [&] { click(child<QAbstractButton>(d, buttonName)); });
}

class DialogsTest : public ::testing::Test {
protected:
    DialogsTest() {
        platform::install(&dialogs);
        CDefaultSettingDlg::Instance().LoadSettings();
    }
    ~DialogsTest() override { CDefaultSettingDlg::Instance().LoadSettings(); }

    FakePlatform fake; // restores the headless dialogs afterwards
    QtDialogs dialogs;
};

TEST_F(DialogsTest, ColourButtonsAreEnabledExactlyWhileTheirBoxIsClear) {
    struct Row {
        const char* dialog;
        std::function<void()> open;
        std::vector<std::pair<const char*, const char*>> pairs; // check box, colour button
    };
    StateProperties state{"Idle", false, 0xC0C0C0, true};
    BoxProperties box{false, true, false, 0xFFFFFF, 0x00FF00};
    const Row rows[] = {
        {"state", [&] { dialogs.stateProperties(state); }, {{"transparent", "bgColor"}}},
        {"message",
         [&] { dialogs.boxProperties("Message properties", box); },
         {{"transparent", "bgColor"}, {"noBorder", "borderColor"}}},
        {"default settings",
         [] { DefaultSettingsDlg::run(nullptr); },
         {{"stateTransparent", "stateBgColor"},
          {"mesgTransparent", "mesgBgColor"},
          {"mesgNoBorder", "mesgBorderColor"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialog);
        drive<QDialog>(
            [&](QDialog& d) {
                for (auto [boxName, colorName] : row.pairs) {
                    auto* check = child<QCheckBox>(d, boxName);
                    auto* colour = child<QAbstractButton>(d, colorName);
                    ASSERT_TRUE(check && colour);
                    for (int clicks = 0; clicks < 3; ++clicks) {
                        EXPECT_EQ(colour->isEnabled(), !check->isChecked()) << boxName;
                        click(check);
                    }
                }
                click(d, "Cancel");
            },
            row.open);
    }
}

TEST_F(DialogsTest, NotesAndMessagesOpenTheirOwnCaptionAndOnlyMessagesMayDropTheBorder) {
    Note note(101, nullptr, CRect(0, 0, 40, 20));
    Mesg mesg(102, nullptr, CRect(0, 0, 30, 6), nullptr);
    struct Row {
        Shape* shape;
        const char* caption;
        bool borderEditable;
    };
    for (const Row& row :
         {Row{&note, "Note Properties", false}, Row{&mesg, "Message properties", true}}) {
        drive<QDialog>(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), row.caption);
                EXPECT_EQ(child(d, "noBorder")->isEnabled(), row.borderEditable);
                click(d, "Cancel");
            },
            [&] { row.shape->onContextMenuAction(cmd::Properties); });
    }
}

TEST_F(DialogsTest, OwnersTakeTheirValuesBackOnlyOnSave) {
    GenericState state(101, nullptr, CRect(0, 0, 60, 30), "Idle");
    state.setTransparent(true);
    state.setColor(0xC0C0C0);
    for (const bool save : {false, true}) {
        drive<QDialog>(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "State Properties");
                click(child<QAbstractButton>(d, "transparent"));
                type(d, "name", "Waiting");
                click(child<QAbstractButton>(d, "history"));
                chooseColor(d, "bgColor", QColor(0x11, 0x22, 0x33));
                click(d, save ? "Save" : "Cancel");
            },
            [&] { state.onContextMenuAction(cmd::Properties); });
        EXPECT_EQ(state.getName(), save ? "Waiting" : "Idle");
        EXPECT_EQ(state.getColor(), save ? 0x332211u : 0xC0C0C0u);
        EXPECT_EQ(state.isTransparent(), !save);
    }

    Line line(103, nullptr, CPoint(0, 0), CPoint(50, 0));
    drive<QDialog>(
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
    for (int i = 0; i < 16; ++i) {
        QImage image(item.size(), QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        CColorComboEx::drawItem(painter, item, i, false);
        painter.end();
        const COLORREF c = CDefaultSettingDlg::cLineColors[std::size_t(i)];
        EXPECT_EQ(image.pixelColor(30, 9), QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16)))
            << i;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << i;
    }
    // Black pixels on the middle row between the two 10-pixel margins, per style.
    const int expectedGaps[] = {1, 1, 1, 1, 0}; // dotted, dashed, dash-dot, dash-dot-dot, solid
    for (int i = 0; i < 5; ++i) {
        QImage image(item.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        PenPicker::drawItem(painter, item, i, false);
        painter.end();
        int black = 0;
        int white = 0;
        const int middle = item.center().y();
        for (int x = 10; x <= 49; ++x)
            (image.pixelColor(x, middle) == Qt::black ? black : white)++;
        EXPECT_GT(black, 0) << i;
        EXPECT_EQ(white > 0, expectedGaps[i] > 0) << i;
        EXPECT_EQ(image.pixelColor(5, middle), QColor(Qt::white)) << i;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(0xC4, 0xC4, 0xC4)) << i;
    }
}

TEST_F(DialogsTest, ModelPropertiesFillUntitledAndABlankAndAreOneUndoStep) {
    LayoutMgr view;
    std::ifstream in(std::string(TAVREN_EXAMPLES) + "/door.tvc", std::ios::binary);
    view.read(in);
    view.initialUpdate();
    CObjectTree tree;
    view.setObjectBrowser(&tree);
    drive<QDialog>(
        [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Model Properties");
            for (const char* field : {"modelName", "author", "description"})
                type(d, field, "");
            click(d, "Save");
        },
        [&] { view.onCommand(cmd::ModelProperties); });
    EXPECT_EQ(view.getModelProperties().getName(), "Untitled");
    EXPECT_EQ(view.getModelProperties().getAuthor(), "Untitled");
    EXPECT_EQ(view.getModelProperties().getDesc(), " ");
    EXPECT_EQ(tree.rootItem()->text(0), "Untitled") << "the object browser's root follows";
    view.undo();
    EXPECT_EQ(view.getModelProperties().getName(), "Door");
    EXPECT_FALSE(view.isUndoable());
}

TEST_F(DialogsTest, DefaultSettingsSaveToTheStoreWhileChoicesOfColourAndFontLastUntilReopened) {
    CDefaultSettingDlg& record = CDefaultSettingDlg::Instance();
    const COLORREF saved = record.mesgBgColor;
    drive<QDialog>(
        [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Default Settings");
            click(child<QAbstractButton>(d, "mesgTransparent"));
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

    drive<QDialog>(
        [&](QDialog& d) {
            drive<QFontDialog>(
                [](QFontDialog& chooser) {
                    QFont font = chooser.currentFont();
                    font.setPointSize(12);
                    chooser.setCurrentFont(font);
                    chooser.accept();
                },
                [&] { click(child<QAbstractButton>(d, "textStyle")); });
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
    const ModelProperties before = props;
    for (const char* confirm : {"Cancel", "OK"}) {
        SCOPED_TRACE(confirm);
        drive<QDialog>(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Code Generation Properties");
                auto* pages = child<QTabWidget>(d, "pages");
                ASSERT_EQ(pages->count(), 4);
                const char* titles[] = {"C++", "ANSI C", "Java", "C# (.Net)"};
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(pages->tabText(i), titles[i]);
                EXPECT_EQ(child<QLineEdit>(d, "cppNamespace")->text(), "home");
                EXPECT_EQ(child<QPlainTextEdit>(d, "cDecl")->toPlainText(), "int x;\nint y;");
                EXPECT_EQ(child<QLineEdit>(d, "javaPackage")->text(), "org.home");
                for (const char* name : {"cppClass", "cppInclude", "javaClass", "csClass"})
                    type(d, name, "");
                type(d, "csPackage", "Home.Gates");
                click(d, confirm);
            },
            [&] { props.editCodeGenProp(); });
        if (std::string(confirm) == "Cancel") {
            EXPECT_EQ(props.getCtxNameCPP(), before.getCtxNameCPP());
            EXPECT_EQ(props.getCtxPackageCSharp(), "");
        }
    }
    EXPECT_EQ(props.getCtxNameCPP(), "Context");
    EXPECT_EQ(props.getCtxFileCPP(), "Context.h");
    EXPECT_EQ(props.getCtxNameJAVA(), "Context");
    EXPECT_EQ(props.getCtxNameCSharp(), "Context");
    EXPECT_EQ(props.getCtxNameSpaceCPP(), "home");
    EXPECT_EQ(props.getDeclC(), "int x;\r\nint y;");
    EXPECT_EQ(props.getCtxPackageCSharp(), "Home.Gates");
}

TEST_F(DialogsTest, FindAndReplaceListsEnablesAndReplacesAsOneUndoStep) {
    LayoutMgr view;
    std::ifstream in(std::string(TAVREN_EXAMPLES) + "/media_player.tvc", std::ios::binary);
    view.read(in);
    view.initialUpdate();
    std::ostringstream before;
    view.write(before);
    auto rows = [](QDialog& d) { return child<QTreeWidget>(d, "result")->topLevelItemCount(); };
    auto select = [](QDialog& d, std::initializer_list<int> which) {
        auto* list = child<QTreeWidget>(d, "result");
        list->clearSelection();
        for (int i : which)
            list->topLevelItem(i)->setSelected(true);
    };
    drive<QDialog>(
        [&](QDialog& d) {
            QAbstractButton* replace = button(d, "Replace");
            QAbstractButton* edit = button(d, "Edit");
            EXPECT_FALSE(replace->isEnabled() || edit->isEnabled());
            click(d, "Find");
            EXPECT_EQ(fake.messages.shown,
                      std::vector<std::string>{"Please enter a search string"});
            EXPECT_EQ(fake.messages.icons.back(), MsgIcon::Stop);

            type(d, "findWhat", "player");
            click(child<QAbstractButton>(d, "inStates"));
            click(child<QAbstractButton>(d, "inEvents"));
            click(d, "Find");
            EXPECT_EQ(rows(d), 0);
            EXPECT_EQ(fake.messages.shown.size(), 1u);

            click(child<QAbstractButton>(d, "inStates"));
            click(child<QAbstractButton>(d, "inEvents"));
            click(d, "Find");
            ASSERT_EQ(rows(d), 5);
            select(d, {0});
            EXPECT_TRUE(replace->isEnabled() && edit->isEnabled());
            drive<QDialog>(
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
    std::ostringstream after;
    view.write(after);
    EXPECT_NE(after.str(), before.str());
    view.undo();
    std::ostringstream undone;
    view.write(undone);
    EXPECT_EQ(undone.str(), before.str());
    EXPECT_FALSE(view.isUndoable());
}

// The sheet's C++ context reaches the generated machine, which compiles against it.
TEST_F(EditorTest, CodeGenerationPropertiesReachTheGeneratedCode) {
    QtDialogs dialogs;
    platform::install(&dialogs);
    const std::string path = (dir.path() / "door.tvc").string();
    std::filesystem::copy_file(std::string(TAVREN_EXAMPLES) + "/door.tvc", path);
    ASSERT_TRUE(start({QString::fromStdString(path)}));
    ASSERT_TRUE(enabled(cmd::CodeGenProperties));
    drive<QDialog>(
        [](QDialog& d) {
            type(d, "cppClass", "Portal");
            type(d, "cppInclude", "portal.h");
            type(d, "cppNamespace", "building");
            click(d, "OK");
        },
        [&] { trigger(cmd::CodeGenProperties); });
    CTavrenDoc& doc = frame().activeChild()->document();
    EXPECT_TRUE(doc.IsModified());
    trigger(cmd::FileSave);
    EXPECT_FALSE(doc.IsModified());

    std::ifstream header(std::string(TAVREN_EXAMPLES) + "/../tests/generators/data/door_context.h");
    std::stringstream devices;
    devices << header.rdbuf();
    std::string context = devices.str();
    context.replace(context.find("struct DoorContext {};"), 22,
                    "namespace building { struct Portal {}; }");
    std::ofstream(dir.path() / "portal.h") << context;

    QProcess generator;
    generator.start(TAVREN_TVC2CPP, {"-d", QString::fromStdString(path)});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardOutput().toStdString();
    // Only portal.h defines building::Portal: the machine compiles only if it uses both.
    QProcess compiler;
    compiler.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    compiler.start(TAVREN_CXX, {"-std=c++17", "-Wall", "-Werror", "-I.", "-c", "doorTN.cpp"});
    ASSERT_TRUE(compiler.waitForFinished(120000));
    EXPECT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();
}

} // namespace
