#pragma once
// Message boxes as QMessageBox dialogs titled "Tavren", modal to the active window.

#include "platform/message_box.h"

class QtMessageBoxes : public MessageBoxes {
public:
    MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                   MsgResult defaultButton) override;
};
