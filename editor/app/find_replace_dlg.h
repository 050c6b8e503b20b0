#pragma once
// Find and replace over one chart's state actions and transition events: "Find" lists every
// text part holding the string, "Replace" replaces it in the selected rows and finds again,
// "Edit" opens the one selected row's text editor.

#include "platform/dialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class FindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    explicit FindReplaceDlg(TextSearch& search, QWidget* parent = nullptr);

private:
    void find();
    void replace();
    void edit();
    void updateButtons();
    // False, after telling the user, when there is nothing to search for.
    bool haveFindText();
    std::vector<int> selectedRows() const;

    TextSearch& search;
    QCheckBox* inStates = nullptr;
    QCheckBox* inEvents = nullptr;
    QLineEdit* findWhat = nullptr;
    QLineEdit* replaceWith = nullptr;
    QTreeWidget* result = nullptr;
    QPushButton* replaceButton = nullptr;
    QPushButton* editButton = nullptr;
};
