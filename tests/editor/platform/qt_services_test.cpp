#include "editor/platform/qt_clipboard.h"
#include "editor/platform/qt_message_boxes.h"
#include "editor/platform/qt_settings_store.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(QtSettingsStoreTest, ValuesRoundTripUnderSectionKeys) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.readInt("Settings", "ShowGrid"));
        EXPECT_FALSE(store.readString("Settings", "FontName"));
        store.writeInt("Settings", "FontColor", 128);
        store.writeInt("Settings", "Negative", -5);
        store.writeString("Settings", "FontName", "Verdana");
        store.writeString("Settings", "Entry", "a();\r\nb();");
        store.writeString("Language", "", "de");
    }
    QtSettingsStore store; // a new store reads what the first one wrote
    EXPECT_EQ(store.readInt("Settings", "FontColor"), 128);
    EXPECT_EQ(store.readInt("Settings", "Negative"), -5);
    EXPECT_EQ(store.readString("Settings", "FontName"), "Verdana");
    EXPECT_EQ(store.readString("Settings", "Entry"), "a();\r\nb();");
    EXPECT_EQ(store.readString("Language", ""), "de");
    EXPECT_FALSE(store.readInt("Settings", "FontName")) << "text is no number";
    QSettings raw(QStringLiteral("Olbrin"), QStringLiteral("Tavren"));
    EXPECT_EQ(raw.value("Settings/FontName").toString(), "Verdana");
    EXPECT_EQ(raw.value("Language").toString(), "de");
    EXPECT_TRUE(raw.fileName().startsWith(dir.path()));
}

TEST(QtClipboardTest, FormatsTravelUnderTheirOwnMimeTypes) {
    EXPECT_EQ(QtClipboard::mimeType("TAVREN_FORMAT"), "application/x-tavren-TAVREN_FORMAT");
    QtClipboard clipboard;
    const std::string records = "BEGIN DATA\r\nBEGIN GenericState 101\r\n\0binary"s;
    clipboard.setData("TAVREN_FORMAT", records);
    EXPECT_EQ(clipboard.getData("TAVREN_FORMAT"), records);
    EXPECT_FALSE(clipboard.getData("OTHER_FORMAT"));
    clipboard.setData("OTHER_FORMAT", "x");
    EXPECT_FALSE(clipboard.getData("TAVREN_FORMAT")) << "setting replaces the contents";
}

TEST(QtMessageBoxesTest, ShowsTitleIconAndPresetAnswer) {
    struct Case {
        MsgButtons buttons;
        MsgIcon icon;
        MsgResult preset;
        QMessageBox::Icon expectedIcon;
    };
    for (Case c :
         {Case{MsgButtons::YesNo, MsgIcon::Question, MsgResult::No, QMessageBox::Question},
          Case{MsgButtons::YesNoCancel, MsgIcon::Warning, MsgResult::Cancel, QMessageBox::Warning},
          Case{MsgButtons::Ok, MsgIcon::Stop, MsgResult::Ok, QMessageBox::Critical}}) {
        // Enter on the open box takes its default button.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Tavren");
            EXPECT_EQ(box->icon(), c.expectedIcon);
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(QtMessageBoxes().show("Delete the selection?", c.buttons, c.icon, c.preset),
                  c.preset);
    }
}
