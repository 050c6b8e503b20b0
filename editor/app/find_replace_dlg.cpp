#include "editor/app/find_replace_dlg.h"

#include "model/res_strings.h"
#include "platform/services.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QCheckBox* lookIn(const QString& text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(true);
    return box;
}

} // namespace

FindReplaceDlg::FindReplaceDlg(TextSearch& searched, QWidget* parent)
    : QDialog(parent), search(searched) {
    setWindowTitle(QStringLiteral("Find / Replace"));
    inStates = lookIn(QStringLiteral("State"), "inStates", this);
    inEvents = lookIn(QStringLiteral("Transition Event"), "inEvents", this);
    findWhat = new QLineEdit(this);
    findWhat->setObjectName("findWhat");
    replaceWith = new QLineEdit(this);
    replaceWith->setObjectName("replaceWith");

    result = new QTreeWidget(this);
    result->setObjectName("result");
    result->setRootIsDecorated(false);
    result->setSelectionMode(QAbstractItemView::ExtendedSelection);
    result->setHeaderLabels({QString::fromStdString(LoadResString(IDS_FIND_COLUMN_OBJECT)),
                             QString::fromStdString(LoadResString(IDS_FIND_COLUMN_DETAIL))});
    result->setColumnWidth(0, 125);
    result->header()->setStretchLastSection(true);
    connect(result, &QTreeWidget::itemSelectionChanged, this, &FindReplaceDlg::updateButtons);

    QPushButton* findButton = button(QStringLiteral("Find"), "find", this);
    findButton->setDefault(true);
    replaceButton = button(QStringLiteral("Replace"), "replace", this);
    editButton = button(QStringLiteral("Edit"), "edit", this);
    QPushButton* closeButton = button(QStringLiteral("Close"), "close", this);
    for (QPushButton* b : {replaceButton, editButton, closeButton})
        b->setAutoDefault(false);
    connect(findButton, &QPushButton::clicked, this, &FindReplaceDlg::find);
    connect(replaceButton, &QPushButton::clicked, this, &FindReplaceDlg::replace);
    connect(editButton, &QPushButton::clicked, this, &FindReplaceDlg::edit);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* look = new QGroupBox(QStringLiteral("Look In"), this);
    auto* lookRow = new QHBoxLayout(look);
    lookRow->addWidget(inStates);
    lookRow->addWidget(inEvents);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Find What:"), findWhat);
    form->addRow(QStringLiteral("Replace With:"), replaceWith);
    auto* found = new QGroupBox(QStringLiteral("Result"), this);
    (new QVBoxLayout(found))->addWidget(result);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {findButton, replaceButton, editButton, closeButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(look);
    layout->addWidget(found);
    layout->addLayout(buttons);
    updateButtons();
    resize(520, 420);
}

bool FindReplaceDlg::haveFindText() {
    if (!findWhat->text().isEmpty())
        return true;
    platform::messageBoxes().show(LoadResString(IDS_ENTER_SEARCH_STRING), MsgButtons::Ok,
                                  MsgIcon::Stop, MsgResult::Ok);
    return false;
}

void FindReplaceDlg::find() {
    result->clear();
    if (!haveFindText())
        return;
    for (const FoundText& row :
         search.find(findWhat->text().toStdString(), inStates->isChecked(), inEvents->isChecked()))
        result->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QString::fromStdString(row.object), QString::fromStdString(row.detail)}));
    updateButtons();
}

void FindReplaceDlg::replace() {
    if (!haveFindText())
        return;
    if (search.replace(selectedRows(), findWhat->text().toStdString(),
                       replaceWith->text().toStdString()))
        find();
}

void FindReplaceDlg::edit() {
    const std::vector<int> rows = selectedRows();
    if (rows.size() == 1)
        search.edit(rows.front());
}

void FindReplaceDlg::updateButtons() {
    const std::size_t selected = selectedRows().size();
    replaceButton->setEnabled(selected >= 1);
    editButton->setEnabled(selected == 1);
}

std::vector<int> FindReplaceDlg::selectedRows() const {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : result->selectedItems())
        rows.push_back(result->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end()); // list order, not the order they were picked in
    return rows;
}
