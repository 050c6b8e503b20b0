#include "editor/app/entry_exit_editor.h"

#include "model/res_strings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

void addLabelled(QVBoxLayout* layout, const QString& label, QPlainTextEdit* edit) {
    auto* caption = new QLabel(label, edit->parentWidget());
    caption->setBuddy(edit);
    layout->addWidget(caption);
    layout->addWidget(edit);
}

} // namespace

EntryExitEditor::EntryExitEditor(QWidget* parent)
    : QDialog(parent), entryField(QStringLiteral("entry"), this),
      exitField(QStringLiteral("exit"), this) {
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    addLabelled(layout, QStringLiteral("onEntry: (Code Verbatim)"), entryField.widget());
    addLabelled(layout, QStringLiteral("onExit: (Code Verbatim)"), exitField.widget());
    layout->addWidget(buttons);
    setCaptionPrefix("");
    resize(460, 380);
}

void EntryExitEditor::setCaptionPrefix(const std::string& prefix) {
    setWindowTitle(QString::fromStdString(prefix + " : " + LoadResString(IDS_ENTRY_EXIT_EDITOR)));
}
