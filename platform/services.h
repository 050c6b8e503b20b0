#pragma once
// The process-wide platform services below the editor. The headless implementations serve
// until the editor (or a test) installs its own; installed objects are not owned.

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

namespace platform {

MessageBoxes& messageBoxes();
DialogRequests& dialogs();
SettingsStore& settings();
Clipboard& clipboard();

// Null restores the headless implementation.
void install(MessageBoxes* impl);
void install(DialogRequests* impl);
void install(SettingsStore* impl);
void install(Clipboard* impl);

} // namespace platform
