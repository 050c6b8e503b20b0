#pragma once
// The property dialogs of single shapes and of the model: state, message or note, note line,
// model. Each is filled with a copy of the owner's values and gives them back with values()
// after "Save"; colour buttons open the platform's colour chooser.

#include "editor/app/text_fields.h"
#include "platform/dialogs.h"

#include <QDialog>

class CColorComboEx;
class PenPicker;
class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace dialogcolors {
// The colour chooser, started at colour; true when it was confirmed and colour replaced.
bool choose(QWidget* parent, COLORREF& colour);
// The button is enabled exactly while the check box is clear, now and after every click.
void pair(QCheckBox* box, QAbstractButton* button);
// A "Color..." button that changes colour in place once its chooser is confirmed.
QPushButton* colorButton(const char* name, COLORREF& colour, QWidget* dialog);
// A group with a check box and the colour button it enables.
QGroupBox* colorGroup(const QString& title, QCheckBox* box, QPushButton* button, QWidget* parent);
QCheckBox* checkBox(const QString& text, const char* name, bool on, QWidget* parent);
} // namespace dialogcolors

class StatePropDlg : public QDialog {
    Q_OBJECT
public:
    StatePropDlg(const StateProperties& props, QWidget* parent = nullptr);
    StateProperties values() const;

private:
    StateProperties props;
    SingleLineField name;
    QCheckBox* history = nullptr;
    QCheckBox* transparent = nullptr;
};

// Messages and notes; a note's border cannot be switched off.
class MesgPropDlg : public QDialog {
    Q_OBJECT
public:
    MesgPropDlg(const std::string& caption, const BoxProperties& props, QWidget* parent = nullptr);
    BoxProperties values() const;

private:
    BoxProperties props;
    QCheckBox* transparent = nullptr;
    QCheckBox* noBorder = nullptr;
    QCheckBox* hidden = nullptr;
};

class CLineProperty : public QDialog {
    Q_OBJECT
public:
    CLineProperty(const LineProperties& props, QWidget* parent = nullptr);
    LineProperties values() const;

private:
    CColorComboEx* color = nullptr;
    PenPicker* style = nullptr;
};

class LayoutMgrPropDlg : public QDialog {
    Q_OBJECT
public:
    LayoutMgrPropDlg(const std::string& name, const std::string& author, const std::string& desc,
                     QWidget* parent = nullptr);
    std::string name() const { return nameField.get(); }
    std::string author() const { return authorField.get(); }
    std::string description() const { return descField.get(); }

private:
    SingleLineField nameField;
    SingleLineField authorField;
    MultiLineField descField;
};
