#pragma once
// Drives the real modal dialogs as the user would: finds them when they open, clicks their
// buttons and types into their fields.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace dialogdriver {

// Runs script on the next modal dialog of type D that request opens. A dialog the script
// leaves open is cancelled, so a failing test cannot hang.
template <class D = QDialog>
void drive(const std::function<void(std::type_identity_t<D>&)>& script,
           const std::function<void()>& request) {
    bool found = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return timer.start(10);
        found = true;
        script(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the script left the dialog open";
            dialog->reject();
        }
    });
    timer.start(0);
    request();
    EXPECT_TRUE(found) << "no dialog opened";
}

template <class W = QWidget> W* child(QDialog& d, const char* name) {
    auto* w = d.findChild<W*>(name);
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}

inline QAbstractButton* button(QDialog& d, const QString& text) {
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

// A check box stretched by its layout takes clicks only near its text, so it is toggled as a
// click there would.
inline void click(QAbstractButton* b) {
    if (qobject_cast<QCheckBox*>(b))
        b->click();
    else if (b)
        QTest::mouseClick(b, Qt::LeftButton);
}
inline void click(QDialog& d, const QString& text) {
    click(button(d, text));
}

// Replaces the field's text by typing.
inline void type(QDialog& d, const char* name, const QString& text) {
    QWidget* edit = child(d, name);
    if (!edit)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit))
        plain->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace dialogdriver
