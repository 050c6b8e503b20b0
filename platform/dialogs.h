#pragma once
// Requests for the editor's modal dialogs. Each works on a copy the caller fills; the answer
// is true on the confirming button, and only then are the values taken back.

#include "platform/gdi.h"

#include <string>
#include <vector>

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
    bool borderEditable = true; // notes always have a border
};

struct LineProperties {
    int penColor = 0; // index into the line colour table
    int penStyle = 0; // index into the line style table
};

// The per-language texts of the code-generation property sheet, one per field.
struct CodeGenTexts {
    std::string ctxNameCPP;
    std::string ctxFileCPP;
    std::string ctxNameSpaceCPP;
    std::string includeFilesCPP;
    std::string declCPP;
    std::string includeFilesC;
    std::string declC;
    std::string ctxNameJAVA;
    std::string ctxPackageJAVA;
    std::string declJAVA;
    std::string ctxNameCSharp;
    std::string ctxPackageCSharp;
    std::string declCSharp;
};

// One text part whose texts hold the search string.
struct FoundText {
    std::string object; // what kind of text: a state's actions or a transition's message
    std::string detail; // which: the state's name, or "source -> target"
};

// What the find-and-replace dialog searches: the texts of one chart. Rows are indexes into
// the result of the last find.
class TextSearch {
public:
    virtual std::vector<FoundText> find(const std::string& what, bool inStates, bool inEvents) = 0;
    // True when any of the rows' texts changed.
    virtual bool replace(const std::vector<int>& rows, const std::string& what,
                         const std::string& with) = 0;
    // Opens the row's text editor, captioned with its detail.
    virtual void edit(int row) = 0;

protected:
    ~TextSearch() = default;
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
    virtual bool codeGenProperties(CodeGenTexts& texts) = 0;
    // Runs until the user closes it; the search changes the chart's texts as it goes.
    virtual void findReplace(TextSearch& search) = 0;
};
