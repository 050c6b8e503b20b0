#include "editor/platform/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::StandardButtons toButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon toIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton toButton(MsgResult result) {
    switch (result) {
    case MsgResult::Cancel:
        return QMessageBox::Cancel;
    case MsgResult::Yes:
        return QMessageBox::Yes;
    case MsgResult::No:
        return QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

// Closing the box without a button counts as its escape answer.
MsgResult toResult(int button, MsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
}

} // namespace

MsgResult QtMessageBoxes::show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                               MsgResult defaultButton) {
    QMessageBox box(toIcon(icon), QStringLiteral("Tavren"), QString::fromStdString(text),
                    toButtons(buttons), QApplication::activeWindow());
    // A default the buttons do not offer leaves Qt's own choice.
    if (QAbstractButton* preset = box.button(toButton(defaultButton)))
        box.setDefaultButton(qobject_cast<QPushButton*>(preset));
    return toResult(box.exec(), buttons);
}
