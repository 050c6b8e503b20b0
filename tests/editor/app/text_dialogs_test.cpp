// The text editing dialogs, driven as the user would through the platform's dialog requests
// and through the shapes that open them.

#include "editor/app/qt_dialogs.h"
#include "model/generic_state.h"
#include "model/note.h"
#include "platform/command_ids.h"
#include "platform/services.h"
#include "tests/editor/app/dialog_driver.h"
#include "tests/fakes/fake_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using namespace dialogdriver;
using Script = std::function<void(QDialog&)>;
using Texts = std::array<std::string, 3>;

// A missing field fails the test and stands in as a fresh edit, so the script runs on.
QWidget* field(QDialog& dialog, const QString& name) {
    if (auto* edit = dialog.findChild<QWidget*>(name))
        return edit;
    ADD_FAILURE() << "no field " << name.toStdString();
    return new QLineEdit(&dialog);
}

// Raw text, as toPlainText() shows a no-break space as a blank; UTF-8 to print readably.
std::string shown(QDialog& dialog, const QString& name) {
    QWidget* edit = field(dialog, name);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        return line->text().toStdString();
    QString text = qobject_cast<QPlainTextEdit*>(edit)->document()->toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n').toStdString();
}

// Types at the end of the field, pressing Return for each "\n".
void typeAtEnd(QDialog& dialog, const QString& name, const QString& text) {
    QWidget* edit = field(dialog, name);
    QTest::keySequence(edit, QKeySequence::MoveToEndOfDocument);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

// Replaces the field's whole text by the clipboard's.
void pasteOver(QDialog& dialog, const QString& name, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keySequence(field(dialog, name), QKeySequence::SelectAll);
    QTest::keySequence(field(dialog, name), QKeySequence::Paste);
}

class TextDialogsTest : public ::testing::Test {
protected:
    TextDialogsTest() { platform::install(&dialogs); }

    FakePlatform fake; // restores the headless dialogs afterwards
    QtDialogs dialogs;
};

} // namespace

TEST_F(TextDialogsTest, EachDialogIsCaptionedForItsOwnerAndCancelKeepsTheTexts) {
    struct Row {
        const char* caption;
        const char* confirm;
        QStringList fields;
        std::function<bool(DialogRequests&, Texts&)> open;
    };
    const Row rows[] = {
        {"Note Editor",
         "Update",
         {"text"},
         [](DialogRequests& d, Texts& t) { return d.editText("Note", t[0]); }},
        {"Idle : Entry/Exit Editor",
         "OK",
         {"entry", "exit"},
         [](DialogRequests& d, Texts& t) { return d.editEntryExit("Idle", t[0], t[1]); }},
        {"Edit Event",
         "Update",
         {"event", "guard", "effect"},
         [](DialogRequests& d, Texts& t) { return d.editEvent("Edit", t[0], t[1], t[2]); }},
    };
    const Texts given{"one\r\ntwo", "x > 0", "go();"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        Texts texts = given;
        bool confirmed = true;
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), row.caption);
                EXPECT_NE(button(d, row.confirm), nullptr);
                for (const QString& name : row.fields) {
                    typeAtEnd(d, name, "zz");
                    pasteOver(d, name, "p\r\nq");
                }
                click(d, "Cancel");
            },
            [&] { confirmed = row.open(dialogs, texts); });
        EXPECT_FALSE(confirmed);
        EXPECT_EQ(texts, given);
    }
}

// Texts are event, guard and effect.
TEST_F(TextDialogsTest, EventEditorKeepsEventAndGuardOnOneLineAndRefusesAnEmptyEvent) {
    struct Row {
        const char* name;
        Texts given;
        Script script;
        bool confirmed;
        Texts expected;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"a missing event shows and stays the placeholder",
         {"", "", ""},
         [](QDialog& d) {
             EXPECT_EQ(shown(d, "event"), "-Edit-");
             click(d, "Update");
         },
         true,
         {"-Edit-", "", ""},
         {}},
        {"an emptied event is refused and cancel keeps the label",
         {"go", "x > 1", "a();\r\nb();"},
         [](QDialog& d) {
             QTest::keySequence(field(d, "event"), QKeySequence::SelectAll);
             QTest::keyClick(field(d, "event"), Qt::Key_Backspace);
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
             EXPECT_EQ(shown(d, "guard"), "a b c");
             click(d, "Update");
         },
         true,
         {"tick tock", "a b c", "x();\r\ny();"},
         {}},
        {"untouched fields give back their bytes, an event on one line",
         {"a\r\nb", "g\xE9", "e"},
         [](QDialog& d) {
             EXPECT_EQ(shown(d, "event"), "a b");
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
TEST_F(TextDialogsTest, MultiLineTextsShowLinesAndComeBackWithCrLf) {
    struct Row {
        const char* name;
        std::string given;
        std::string shownAs;
        QString typed;
        QString pasted;
        std::string expected;
    };
    const Row rows[] = {
        {"lines unchanged", "a();\r\n\r\nb();", "a();\n\nb();", "", "", "a();\r\n\r\nb();"},
        {"no line breaks, byte for byte", "x\xC2\xA0y\t", "x\xC2\xA0y\t", "", "", "x\xC2\xA0y\t"},
        {"typed line", "a();", "a();", "\nb();", "", "a();\r\nb();"},
        {"pasted lines", "", "", "", "p\nq\r\nr\rs", "p\r\nq\r\nr\r\ns"},
        {"edited text keeps its no-break space", "x\xC2\xA0y", "x\xC2\xA0y", "z", "",
         "x\xC2\xA0yz"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string entry = row.given;
        std::string exit = "done();\r\nlog('\xE9');"; // not UTF-8
        bool confirmed = false;
        drive(
            [&](QDialog& d) {
                EXPECT_EQ(shown(d, "entry"), row.shownAs);
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

TEST_F(TextDialogsTest, ShapesEditTheirTextsThroughTheDialogs) {
    Note note(101, nullptr, {0, 0, 12, 6});
    drive(
        [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Note Editor");
            EXPECT_EQ(shown(d, "text"), "Note");
            typeAtEnd(d, "text", "\nCheck the door");
            click(d, "Update");
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
    EXPECT_EQ(state.getTextHandler()->getEntry(), "open();");
    EXPECT_EQ(state.getTextHandler()->getExit(), "");
}
