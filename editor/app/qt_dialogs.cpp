#include "editor/app/qt_dialogs.h"

#include "editor/app/edit_mesg_dlg.h"
#include "editor/app/entry_exit_editor.h"
#include "editor/app/event_editor.h"

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

bool QtDialogs::stateProperties(StateProperties&) {
    return false;
}

bool QtDialogs::boxProperties(const std::string&, BoxProperties&) {
    return false;
}

bool QtDialogs::lineProperties(LineProperties&) {
    return false;
}

bool QtDialogs::modelProperties(std::string&, std::string&, std::string&) {
    return false;
}
