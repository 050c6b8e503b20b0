#pragma once
// The text parts of shapes: a free text (notes), entry and exit actions (states) and event,
// guard and effect (transition labels). Each draws itself, searches and replaces in its texts
// and opens its editor dialog.

#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <string>

class CDC;
class ViewServices;

// What find-and-replace and the shapes' edit commands need of any text part.
class KELMORA_API TextHandler {
public:
    virtual ~TextHandler() = default;
    // Case-sensitive substring test on every text of the box.
    virtual bool findString(const std::string&) { return false; }
    // Replaces every occurrence of the first text by the second in every text of the box,
    // never searching inserted text again; true when anything changed.
    virtual bool replaceString(const std::string&, const std::string&) { return false; }
    // Opens the box's editor dialog; true when the user confirmed and the texts were taken.
    virtual bool handleEdit(const std::string& title) = 0;
};

// One free text; line breaks are "\r\n".
class KELMORA_API TextBox : public TextHandler {
public:
    void create(ViewServices* view) { mgr = view; }
    void setData(const std::string& text) { data = text; }
    const std::string& getData() const { return data; }
    void drawText(CDC* dc, const CRect& r);

    bool findString(const std::string& what) override;
    bool replaceString(const std::string& what, const std::string& with) override;
    bool handleEdit(const std::string& title) override;

    // Chart text is never edited in place; these exist for callers that ask.
    bool handleInplaceEdit(const CRect& r);
    void terminateEditor(const std::string& text);

private:
    std::string data;
    ViewServices* mgr = nullptr;
};

// The entry and exit actions of a state.
class KELMORA_API EntryExitTextBox : public TextHandler {
public:
    void create(ViewServices* view) { mgr = view; }
    void setData(const std::string& entryText, const std::string& exitText);
    void getData(std::string& entryText, std::string& exitText) const;
    const std::string& getEntry() const { return entry; }
    const std::string& getExit() const { return exit; }
    void drawText(CDC* dc, const CRect& r);

    bool findString(const std::string& what) override;
    bool replaceString(const std::string& what, const std::string& with) override;
    // The title is the state's name.
    bool handleEdit(const std::string& title) override;

private:
    std::string entry;
    std::string exit;
    ViewServices* mgr = nullptr;
};

// Event, guard and effect of a transition label.
class KELMORA_API EventEditorBox : public TextHandler {
public:
    void create(ViewServices* view) { mgr = view; }
    void setData(const std::string& eventText, const std::string& guardText,
                 const std::string& effectText);
    const std::string& getEvent() const { return event; }
    const std::string& getGuard() const { return guard; }
    const std::string& getEffect() const { return effect; }
    void drawText(CDC* dc, const CRect& r);

    bool findString(const std::string& what) override;
    bool replaceString(const std::string& what, const std::string& with) override;
    bool handleEdit(const std::string& title) override;

private:
    std::string event;
    std::string guard;
    std::string effect;
    ViewServices* mgr = nullptr;
};
