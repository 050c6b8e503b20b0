#pragma once
// Modal message boxes, answered by real dialogs in the editor and by scripts in tests.

#include <string>

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Stop, Question, Warning, Information };
enum class MsgResult { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows text and waits for the user; defaultButton is the preselected answer.
    virtual MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                           MsgResult defaultButton) = 0;
};
