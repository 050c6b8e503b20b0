#include "editor/app/event_editor.h"

#include "model/res_strings.h"
#include "platform/services.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    new QHBoxLayout(box);
    return box;
}

} // namespace

CEventEditor::CEventEditor(QWidget* parent)
    : QDialog(parent), eventField(QStringLiteral("event"), this),
      guardField(QStringLiteral("guard"), this), effectField(QStringLiteral("effect"), this) {
    setWindowTitle(QStringLiteral("Edit Event"));

    QGroupBox* eventBox = group(QStringLiteral("Event"), this);
    eventBox->layout()->addWidget(eventField.widget());

    QGroupBox* guardBox = group(QStringLiteral("Guard"), this);
    guardBox->layout()->addWidget(new QLabel(QStringLiteral("["), guardBox));
    guardBox->layout()->addWidget(guardField.widget());
    guardBox->layout()->addWidget(new QLabel(QStringLiteral("]"), guardBox));

    QGroupBox* effectBox = group(QStringLiteral("Effect"), this);
    auto* slash = new QLabel(QStringLiteral("/"), effectBox);
    slash->setAlignment(Qt::AlignTop);
    effectBox->layout()->addWidget(slash);
    effectBox->layout()->addWidget(effectField.widget());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Update"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEventEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eventBox);
    layout->addWidget(guardBox);
    layout->addWidget(effectBox, 1);
    layout->addWidget(buttons);
    setEvent(cDefaultEvent);
    resize(420, 340);
}

void CEventEditor::accept() {
    if (event().empty()) {
        platform::messageBoxes().show(LoadResString(IDS_EVENT_EMPTY), MsgButtons::Ok, MsgIcon::Stop,
                                      MsgResult::Ok);
        eventField.widget()->setFocus();
        return;
    }
    QDialog::accept();
}
