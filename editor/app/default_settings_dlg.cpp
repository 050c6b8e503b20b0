#include "editor/app/default_settings_dlg.h"

#include "editor/app/line_pickers.h"
#include "editor/app/property_dialogs.h"
#include "model/default_settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

using namespace dialogcolors;

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

DefaultSettingsDlg::DefaultSettingsDlg(CDefaultSettingDlg& settings, QWidget* parent)
    : QDialog(parent), record(settings), stateName(QStringLiteral("stateName"), this),
      entry(QStringLiteral("entry"), this), exit(QStringLiteral("exit"), this) {
    setWindowTitle(QStringLiteral("Default Settings"));
    stateName.set(record.stateName);
    entry.set(record.entry);
    exit.set(record.exit);
    stateAnchor =
        checkBox(QStringLiteral("Anchors Visible"), "stateAnchor", record.stateAnchor, this);
    stateTransparent = checkBox(QStringLiteral("Transparent"), "stateTransparent",
                                record.stateBgTransparent, this);
    mesgAnchor = checkBox(QStringLiteral("Anchors Visible"), "mesgAnchor", record.mesgAnchor, this);
    mesgTransparent =
        checkBox(QStringLiteral("Transparent"), "mesgTransparent", record.mesgBgTransparent, this);
    mesgNoBorder = checkBox(QStringLiteral("No Border"), "mesgNoBorder", record.mesgBorder, this);
    showGrid = checkBox(QStringLiteral("Show Grid"), "showGrid", record.showGrid, this);
    lineColor = new CColorComboEx(this);
    lineColor->setObjectName("lineColor");
    lineColor->setCurrentIndex(
        record.lineColor >= 0 && record.lineColor < lineColor->count() ? record.lineColor : 0);
    lineStyle = new PenPicker(this);
    lineStyle->setObjectName("lineStyle");
    lineStyle->setCurrentIndex(
        record.lineStyle >= 0 && record.lineStyle < lineStyle->count() ? record.lineStyle : 0);

    auto* state = new QGroupBox(QStringLiteral("State"), this);
    auto* stateForm = new QFormLayout(state);
    stateForm->addRow(QStringLiteral("Name :"), stateName.widget());
    stateForm->addRow(stateAnchor);
    stateForm->addRow(QStringLiteral("onEntry:"), entry.widget());
    stateForm->addRow(QStringLiteral("onExit:"), exit.widget());
    stateForm->addRow(colorGroup(QStringLiteral("Background"), stateTransparent,
                                 colorButton("stateBgColor", record.stateBgColor, this), this));

    auto* mesg = new QGroupBox(QStringLiteral("Message"), this);
    auto* mesgBox = new QVBoxLayout(mesg);
    mesgBox->addWidget(mesgAnchor);
    mesgBox->addWidget(colorGroup(QStringLiteral("Background"), mesgTransparent,
                                  colorButton("mesgBgColor", record.mesgBgColor, this), this));
    mesgBox->addWidget(colorGroup(QStringLiteral("Border"), mesgNoBorder,
                                  colorButton("mesgBorderColor", record.mesgBorderColor, this),
                                  this));

    auto* line = new QGroupBox(QStringLiteral("Line"), this);
    auto* lineForm = new QFormLayout(line);
    lineForm->addRow(QStringLiteral("Color:"), lineColor);
    lineForm->addRow(QStringLiteral("Style:"), lineStyle);

    auto* grid = new QGroupBox(QStringLiteral("Grid && Text"), this);
    auto* gridRow = new QHBoxLayout(grid);
    gridRow->addWidget(showGrid);
    QPushButton* font = button(QStringLiteral("Text Style..."), "textStyle", this);
    connect(font, &QPushButton::clicked, this, &DefaultSettingsDlg::chooseFont);
    gridRow->addWidget(font);
    // The platform's font chooser has no colour of its own, so the text colour has a button.
    QPushButton* textColor = button(QStringLiteral("Text Color..."), "textColor", this);
    connect(textColor, &QPushButton::clicked, this,
            [this] { dialogcolors::choose(this, record.fontColor); });
    gridRow->addWidget(textColor);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &DefaultSettingsDlg::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(state, 0, 0, 2, 1);
    layout->addWidget(mesg, 0, 1);
    layout->addWidget(line, 1, 1);
    layout->addWidget(grid, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

void DefaultSettingsDlg::run(QWidget* parent) {
    CDefaultSettingDlg& defaults = CDefaultSettingDlg::Instance();
    defaults.LoadSettings();
    DefaultSettingsDlg dialog(defaults, parent);
    dialog.exec();
}

void DefaultSettingsDlg::chooseFont() {
    QFont current(QString::fromStdString(record.fontName));
    current.setPointSizeF(record.fontSize / 10.0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this);
    if (!ok || chosen.pointSizeF() <= 0)
        return;
    record.fontName = chosen.family().toStdString();
    // Sizes are kept in tenths of a point.
    record.fontSize = static_cast<int>(std::lround(chosen.pointSizeF() * 10));
}

void DefaultSettingsDlg::save() {
    record.stateName = stateName.get();
    record.stateAnchor = stateAnchor->isChecked();
    record.entry = entry.get();
    record.exit = exit.get();
    record.stateBgTransparent = stateTransparent->isChecked();
    record.mesgAnchor = mesgAnchor->isChecked();
    record.mesgBorder = mesgNoBorder->isChecked();
    record.mesgBgTransparent = mesgTransparent->isChecked();
    record.showGrid = showGrid->isChecked();
    record.lineColor = lineColor->currentIndex();
    record.lineStyle = lineStyle->currentIndex();
    record.SaveSettings();
    accept();
}
