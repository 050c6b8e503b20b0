#pragma once
// The print-setup step of a chart: the chart's "Print to Fit" choice and a way to the system's
// printer setup for the application's printer.

#include <QDialog>

class QCheckBox;
class QPrinter;
class QPushButton;

class PrinterSetup : public QDialog {
    Q_OBJECT
public:
    PrinterSetup(bool fitToPage, QPrinter& printer, QWidget* parent = nullptr);

    bool fitToPage() const;
    QCheckBox* fitBox() const { return fit; }
    QPushButton* printerSetupButton() const { return setupButton; }

    // Runs the dialog modally; fitToPage changes only on OK.
    static bool edit(bool& fitToPage, QPrinter& printer, QWidget* parent);

private:
    QCheckBox* fit = nullptr;
    QPushButton* setupButton = nullptr;
};
