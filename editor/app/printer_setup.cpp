#include "editor/app/printer_setup.h"

#include "model/res_strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString text(unsigned id) {
    return QString::fromStdString(LoadResString(id));
}
} // namespace

PrinterSetup::PrinterSetup(bool fitToPage, QPrinter& printer, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(IDS_PRINT_SETUP));
    fit = new QCheckBox(text(IDS_PRINT_TO_FIT), this);
    fit->setChecked(fitToPage);
    setupButton = new QPushButton(text(IDS_PRINTER_SETUP_BUTTON), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fit);
    layout->addWidget(setupButton);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(setupButton, &QPushButton::clicked, this, [this, &printer] {
        QPageSetupDialog dialog(&printer, this);
        dialog.exec();
    });
}

bool PrinterSetup::fitToPage() const {
    return fit->isChecked();
}

bool PrinterSetup::edit(bool& fitToPage, QPrinter& printer, QWidget* parent) {
    PrinterSetup dialog(fitToPage, printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fitToPage = dialog.fitToPage();
    return true;
}
