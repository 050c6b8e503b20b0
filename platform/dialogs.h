#pragma once
// Requests for the editor's modal dialogs. Each works on a copy the caller fills; the answer
// is true on the confirming button, and only then are the values taken back.

#include "platform/gdi.h"

#include <string>

struct StateProperties {
    std::string name;
    bool history = false;
    COLORREF color = 0;
    bool transparent = false;
};

// The properties shared by message labels and notes.
struct BoxProperties {
    bool transparent = false;
    bool noBorder = false;
    bool hidden = false; // anchors hidden
    COLORREF bkColor = 0;
    COLORREF borderColor = 0;
};

struct LineProperties {
    int penColor = 0; // index into the line colour table
    int penStyle = 0; // index into the line style table
};

class DialogRequests {
public:
    virtual ~DialogRequests() = default;

    virtual bool editText(const std::string& title, std::string& text) = 0;
    virtual bool editEntryExit(const std::string& title, std::string& entry, std::string& exit) = 0;
    virtual bool editEvent(const std::string& title, std::string& event, std::string& guard,
                           std::string& effect) = 0;
    virtual bool stateProperties(StateProperties& props) = 0;
    virtual bool boxProperties(const std::string& title, BoxProperties& props) = 0;
    virtual bool lineProperties(LineProperties& props) = 0;
    virtual bool modelProperties(std::string& name, std::string& author, std::string& desc) = 0;
};
