#pragma once
// The editor's dialog requests as modal Qt dialogs over the active window: the chart's text
// edits, the property dialogs, the code-generation sheet and find and replace.

#include "platform/dialogs.h"

class QtDialogs : public DialogRequests {
public:
    // Each returns true on the confirming button and only then writes its arguments back.
    bool editText(const std::string& title, std::string& text) override;
    bool editEntryExit(const std::string& title, std::string& entry, std::string& exit) override;
    // An empty event shows as "-Edit-"; the title is not used.
    bool editEvent(const std::string& title, std::string& event, std::string& guard,
                   std::string& effect) override;

    bool stateProperties(StateProperties& props) override;
    bool boxProperties(const std::string& title, BoxProperties& props) override;
    bool lineProperties(LineProperties& props) override;
    bool modelProperties(std::string& name, std::string& author, std::string& desc) override;
    bool codeGenProperties(CodeGenTexts& texts) override;
    void findReplace(TextSearch& search) override;
};
