#include "editor/app/property_dialogs.h"

#include "editor/platform/qt_convert.h"

#include "editor/app/line_pickers.h"
#include "model/res_strings.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogcolors {

bool choose(QWidget* parent, COLORREF& colour) {
    const QColor chosen = QColorDialog::getColor(toQColor(colour), parent);
    if (!chosen.isValid())
        return false;
    colour = toColorRef(chosen);
    return true;
}

void pair(QCheckBox* box, QAbstractButton* button) {
    button->setEnabled(!box->isChecked());
    QObject::connect(box, &QCheckBox::toggled, button,
                     [button](bool on) { button->setEnabled(!on); });
}

QPushButton* colorButton(const char* name, COLORREF& colour, QWidget* dialog) {
    auto* button = new QPushButton(QStringLiteral("Color..."), dialog);
    button->setObjectName(name);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog,
                     [dialog, &colour] { choose(dialog, colour); });
    return button;
}

QGroupBox* colorGroup(const QString& title, QCheckBox* box, QPushButton* button, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(group);
    row->addWidget(box);
    row->addWidget(button);
    pair(box, button);
    return group;
}

QCheckBox* checkBox(const QString& text, const char* name, bool on, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(on);
    return box;
}

} // namespace dialogcolors

using namespace dialogcolors;

namespace {

QDialogButtonBox* saveCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

StatePropDlg::StatePropDlg(const StateProperties& given, QWidget* parent)
    : QDialog(parent), props(given), name(QStringLiteral("name"), this) {
    setWindowTitle(QStringLiteral("State Properties"));
    name.set(props.name);
    history = checkBox(QStringLiteral("History"), "history", props.history, this);
    transparent = checkBox(QStringLiteral("Transparent"), "transparent", props.transparent, this);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("State name :"), name.widget());
    layout->addLayout(form);
    layout->addWidget(history);
    layout->addWidget(colorGroup(QStringLiteral("Background"), transparent,
                                 colorButton("bgColor", props.color, this), this));
    layout->addWidget(saveCancel(this));
}

StateProperties StatePropDlg::values() const {
    StateProperties out = props;
    out.name = name.get();
    out.history = history->isChecked();
    out.transparent = transparent->isChecked();
    return out;
}

MesgPropDlg::MesgPropDlg(const std::string& caption, const BoxProperties& given, QWidget* parent)
    : QDialog(parent), props(given) {
    setWindowTitle(QString::fromStdString(caption));
    transparent = checkBox(QStringLiteral("Transparent"), "transparent", props.transparent, this);
    noBorder = checkBox(QStringLiteral("No Border"), "noBorder", props.noBorder, this);
    hidden = checkBox(QStringLiteral("Hidden"), "hidden", props.hidden, this);
    noBorder->setEnabled(props.borderEditable);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colorGroup(QStringLiteral("Background"), transparent,
                                 colorButton("bgColor", props.bkColor, this), this));
    layout->addWidget(colorGroup(QStringLiteral("Border"), noBorder,
                                 colorButton("borderColor", props.borderColor, this), this));
    auto* anchor = new QGroupBox(QStringLiteral("Anchor"), this);
    (new QHBoxLayout(anchor))->addWidget(hidden);
    layout->addWidget(anchor);
    layout->addWidget(saveCancel(this));
}

BoxProperties MesgPropDlg::values() const {
    BoxProperties out = props;
    out.transparent = transparent->isChecked();
    out.noBorder = noBorder->isChecked();
    out.hidden = hidden->isChecked();
    return out;
}

CLineProperty::CLineProperty(const LineProperties& props, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Line Properties"));
    color = new CColorComboEx(this);
    color->setObjectName("lineColor");
    style = new PenPicker(this);
    style->setObjectName("lineStyle");
    // An index outside the tables shows as the first entry, as it is drawn.
    color->setCurrentIndex(props.penColor >= 0 && props.penColor < color->count() ? props.penColor
                                                                                  : 0);
    style->setCurrentIndex(props.penStyle >= 0 && props.penStyle < style->count() ? props.penStyle
                                                                                  : 0);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Color:"), color);
    form->addRow(QStringLiteral("Style:"), style);
    layout->addLayout(form);
    layout->addWidget(saveCancel(this));
}

LineProperties CLineProperty::values() const {
    return {color->currentIndex(), style->currentIndex()};
}

LayoutMgrPropDlg::LayoutMgrPropDlg(const std::string& name, const std::string& author,
                                   const std::string& desc, QWidget* parent)
    : QDialog(parent), nameField(QStringLiteral("modelName"), this),
      authorField(QStringLiteral("author"), this), descField(QStringLiteral("description"), this) {
    setWindowTitle(QStringLiteral("Model Properties"));
    nameField.set(name);
    authorField.set(author);
    descField.set(desc);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Model Name :"), nameField.widget());
    form->addRow(QStringLiteral("Author :"), authorField.widget());
    form->addRow(QStringLiteral("Description :"), descField.widget());
    layout->addLayout(form);
    layout->addWidget(saveCancel(this));
    resize(420, 300);
}
