#pragma once
// The default-settings dialog over the process's one record of user defaults. Colour and font
// choices go into the record at once, so shapes made before the next opening use them even
// after "Cancel"; everything else reaches the record, and the settings store, only on "Save".

#include "editor/app/text_fields.h"

#include <QDialog>

class CColorComboEx;
class CDefaultSettingDlg;
class PenPicker;
class QCheckBox;

class DefaultSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit DefaultSettingsDlg(CDefaultSettingDlg& record, QWidget* parent = nullptr);

    // Re-reads the stored settings into the record, then runs the dialog.
    static void run(QWidget* parent);

private:
    void chooseFont();
    void save();

    CDefaultSettingDlg& record;
    SingleLineField stateName;
    MultiLineField entry;
    MultiLineField exit;
    QCheckBox* stateAnchor = nullptr;
    QCheckBox* stateTransparent = nullptr;
    QCheckBox* mesgAnchor = nullptr;
    QCheckBox* mesgTransparent = nullptr;
    QCheckBox* mesgNoBorder = nullptr;
    QCheckBox* showGrid = nullptr;
    CColorComboEx* lineColor = nullptr;
    PenPicker* lineStyle = nullptr;
};
