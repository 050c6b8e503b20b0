#pragma once
// The chart's text edits as modal Qt dialogs over the active window: a free text, a state's
// entry and exit actions, and a label's event, guard and effect.

#include "platform/dialogs.h"

class QtDialogs : public DialogRequests {
public:
    // Each returns true on the confirming button and only then writes its arguments back.
    bool editText(const std::string& title, std::string& text) override;
    bool editEntryExit(const std::string& title, std::string& entry, std::string& exit) override;
    // An empty event shows as "-Edit-"; the title is not used.
    bool editEvent(const std::string& title, std::string& event, std::string& guard,
                   std::string& effect) override;

    // The property dialogs come separately; until then these cancel.
    bool stateProperties(StateProperties& props) override;
    bool boxProperties(const std::string& title, BoxProperties& props) override;
    bool lineProperties(LineProperties& props) override;
    bool modelProperties(std::string& name, std::string& author, std::string& desc) override;
};
