#include "editor/app/qt_dialogs.h"

#include "editor/app/codegen_sheet.h"
#include "editor/app/edit_mesg_dlg.h"
#include "editor/app/entry_exit_editor.h"
#include "editor/app/event_editor.h"
#include "editor/app/find_replace_dlg.h"
#include "editor/app/property_dialogs.h"

#include <QApplication>

bool QtDialogs::editText(const std::string& title, std::string& text) {
    EditMesgDlg dialog(QApplication::activeWindow());
    dialog.setCaptionPrefix(title);
    dialog.setText(text);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = dialog.text();
    return true;
}

bool QtDialogs::editEntryExit(const std::string& title, std::string& entry, std::string& exit) {
    EntryExitEditor dialog(QApplication::activeWindow());
    dialog.setCaptionPrefix(title);
    dialog.setEntry(entry);
    dialog.setExit(exit);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry = dialog.entry();
    exit = dialog.exit();
    return true;
}

bool QtDialogs::editEvent(const std::string&, std::string& event, std::string& guard,
                          std::string& effect) {
    CEventEditor dialog(QApplication::activeWindow());
    // Only given texts replace the dialog's own, so a missing event keeps its placeholder.
    if (!event.empty())
        dialog.setEvent(event);
    if (!guard.empty())
        dialog.setGuard(guard);
    if (!effect.empty())
        dialog.setEffect(effect);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    event = dialog.event();
    guard = dialog.guard();
    effect = dialog.effect();
    return true;
}

bool QtDialogs::stateProperties(StateProperties& props) {
    StatePropDlg dialog(props, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    props = dialog.values();
    return true;
}

bool QtDialogs::boxProperties(const std::string& title, BoxProperties& props) {
    MesgPropDlg dialog(title, props, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    props = dialog.values();
    return true;
}

bool QtDialogs::lineProperties(LineProperties& props) {
    CLineProperty dialog(props, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    props = dialog.values();
    return true;
}

bool QtDialogs::modelProperties(std::string& name, std::string& author, std::string& desc) {
    LayoutMgrPropDlg dialog(name, author, desc, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.name();
    author = dialog.author();
    desc = dialog.description();
    return true;
}

bool QtDialogs::codeGenProperties(CodeGenTexts& texts) {
    CCodegenSheet sheet(texts, QApplication::activeWindow());
    if (sheet.exec() != QDialog::Accepted)
        return false;
    texts = sheet.values();
    return true;
}

void QtDialogs::findReplace(TextSearch& search) {
    FindReplaceDlg dialog(search, QApplication::activeWindow());
    dialog.exec();
}
