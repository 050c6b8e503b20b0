#include "platform/services.h"

#include "platform/null_platform.h"

namespace platform {
namespace {

template <class Interface, class Null> struct Slot {
    Null fallback;
    Interface* current = &fallback;

    Interface& get() { return *current; }
    void set(Interface* impl) { current = impl ? impl : &fallback; }
};

Slot<MessageBoxes, NullMessageBoxes> messageBoxSlot;
Slot<DialogRequests, NullDialogs> dialogSlot;
Slot<SettingsStore, NullSettingsStore> settingsSlot;
Slot<Clipboard, NullClipboard> clipboardSlot;

} // namespace

MessageBoxes& messageBoxes() { return messageBoxSlot.get(); }
DialogRequests& dialogs() { return dialogSlot.get(); }
SettingsStore& settings() { return settingsSlot.get(); }
Clipboard& clipboard() { return clipboardSlot.get(); }

void install(MessageBoxes* impl) { messageBoxSlot.set(impl); }
void install(DialogRequests* impl) { dialogSlot.set(impl); }
void install(SettingsStore* impl) { settingsSlot.set(impl); }
void install(Clipboard* impl) { clipboardSlot.set(impl); }

} // namespace platform
