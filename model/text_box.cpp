#include "model/text_box.h"

#include "model/config.h"
#include "model/res_strings.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/cdc.h"
#include "platform/services.h"

namespace {

const char* const cLineBreak = "\r\n";

bool contains(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// Continues after each inserted text, so a replacement containing what is not replaced again.
// An empty what would match everywhere forever; it replaces nothing.
bool replaceAll(std::string& text, const std::string& what, const std::string& with) {
    if (what.empty())
        return false;
    bool changed = false;
    for (std::size_t pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + with.size())) {
        text.replace(pos, what.size(), with);
        changed = true;
    }
    return changed;
}

// Chart text: transparent background, the view's text font and colour, word-wrapped.
void drawWrapped(CDC* dc, ViewServices* mgr, std::string text, const CRect& r) {
    const BkMode oldMode = dc->SetBkMode(BkMode::Transparent);
    const Font oldFont = dc->SelectFont(mgr ? mgr->getTextFont() : Font{});
    const COLORREF oldColor = dc->SetTextColor(mgr ? mgr->getTextColor() : 0);
    CRect box = r;
    dc->DrawText(text, box, DT_LEFT | DT_WORDBREAK);
    dc->SetTextColor(oldColor);
    dc->SelectFont(oldFont);
    dc->SetBkMode(oldMode);
}

} // namespace

// --- TextBox ---

void TextBox::drawText(CDC* dc, const CRect& r) {
    if constexpr (config::kInteractive)
        drawWrapped(dc, mgr, Util::removeTag(data, "<M>"), r);
}

bool TextBox::findString(const std::string& what) {
    return contains(data, what);
}

bool TextBox::replaceString(const std::string& what, const std::string& with) {
    return replaceAll(data, what, with);
}

bool TextBox::handleEdit(const std::string& title) {
    if constexpr (!config::kInteractive) {
        return true;
    } else {
        std::string text = data;
        if (!platform::dialogs().editText(title, text))
            return false;
        data = text;
        return true;
    }
}

bool TextBox::handleInplaceEdit(const CRect&) {
    return true;
}

void TextBox::terminateEditor(const std::string&) {}

// --- EntryExitTextBox ---

void EntryExitTextBox::setData(const std::string& entryText, const std::string& exitText) {
    entry = entryText;
    exit = exitText;
}

void EntryExitTextBox::getData(std::string& entryText, std::string& exitText) const {
    entryText = entry;
    exitText = exit;
}

void EntryExitTextBox::drawText(CDC* dc, const CRect& r) {
    if constexpr (config::kInteractive) {
        std::string text = "[" + LoadResString(IDS_ENTRY) + "]";
        if (!entry.empty())
            text += cLineBreak + entry;
        text += cLineBreak + ("[" + LoadResString(IDS_EXIT) + "]");
        if (!exit.empty())
            text += cLineBreak + exit;
        drawWrapped(dc, mgr, text, r);
    }
}

bool EntryExitTextBox::findString(const std::string& what) {
    return contains(entry, what) || contains(exit, what);
}

bool EntryExitTextBox::replaceString(const std::string& what, const std::string& with) {
    const bool inEntry = replaceAll(entry, what, with);
    const bool inExit = replaceAll(exit, what, with);
    return inEntry || inExit;
}

bool EntryExitTextBox::handleEdit(const std::string& title) {
    if constexpr (!config::kInteractive) {
        return true;
    } else {
        std::string entryText = entry;
        std::string exitText = exit;
        if (!platform::dialogs().editEntryExit(title, entryText, exitText))
            return false;
        setData(entryText, exitText);
        return true;
    }
}

// --- EventEditorBox ---

void EventEditorBox::setData(const std::string& eventText, const std::string& guardText,
                             const std::string& effectText) {
    event = eventText;
    guard = guardText;
    effect = effectText;
}

void EventEditorBox::drawText(CDC* dc, const CRect& r) {
    if constexpr (config::kInteractive) {
        std::string text = LoadResString(IDS_ON_EVENT) + "(" + event + ")";
        if (!guard.empty())
            text += cLineBreak + ("[" + guard + "]");
        if (!effect.empty())
            text += cLineBreak + ("/" + effect);
        drawWrapped(dc, mgr, text, r);
    }
}

bool EventEditorBox::findString(const std::string& what) {
    return contains(event, what) || contains(guard, what) || contains(effect, what);
}

bool EventEditorBox::replaceString(const std::string& what, const std::string& with) {
    const bool inEvent = replaceAll(event, what, with);
    const bool inGuard = replaceAll(guard, what, with);
    const bool inEffect = replaceAll(effect, what, with);
    return inEvent || inGuard || inEffect;
}

bool EventEditorBox::handleEdit(const std::string& title) {
    if constexpr (!config::kInteractive) {
        return true;
    } else {
        std::string eventText = event;
        std::string guardText = guard;
        std::string effectText = effect;
        if (!platform::dialogs().editEvent(title, eventText, guardText, effectText))
            return false;
        setData(eventText, guardText, effectText);
        return true;
    }
}
