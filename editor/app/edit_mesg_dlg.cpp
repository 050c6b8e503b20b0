#include "editor/app/edit_mesg_dlg.h"

#include "model/res_strings.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

EditMesgDlg::EditMesgDlg(QWidget* parent) : QDialog(parent), field(QStringLiteral("text"), this) {
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Update"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field.widget());
    layout->addWidget(buttons);
    setCaptionPrefix("Text");
    resize(400, 260);
}

void EditMesgDlg::setCaptionPrefix(const std::string& prefix) {
    setWindowTitle(QString::fromStdString(prefix + " " + LoadResString(IDS_EDITOR)));
}
