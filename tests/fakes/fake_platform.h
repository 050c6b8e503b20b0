#pragma once
// Test stand-ins for the platform: an in-memory settings store, a window with a scripted mouse
// loop, and message boxes and dialogs that answer from a script and remember what they showed.

#include "platform/cwnd.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "tests/fakes/recording_dc.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class MemorySettingsStore : public SettingsStore {
public:
    std::map<std::string, std::int32_t> ints;   // "Section/Name" -> value
    std::map<std::string, std::string> strings; // "Section/Name" -> value

    std::optional<std::int32_t> readInt(const std::string& section,
                                        const std::string& name) const override;
    std::optional<std::string> readString(const std::string& section,
                                          const std::string& name) const override;
    void writeInt(const std::string& section, const std::string& name, std::int32_t value) override;
    void writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;
};

class ScriptedWnd : public CWnd {
public:
    std::vector<CRect> invalidated;
    std::deque<MouseEvent> script; // handed out by NextMouseEvent; CaptureLost when empty
    std::vector<CursorId> cursors;
    RecordingDC overlay;
    CPoint cursorPos;
    bool shift = false;
    bool captured = false;

    void Invalidate(const CRect& r) override { invalidated.push_back(r); }
    void UpdateWindow() override {}
    void SetCursor(CursorId c) override { cursors.push_back(c); }
    CPoint GetCursorPos() const override { return cursorPos; }
    bool IsShiftDown() const override { return shift; }
    CDC& GetOverlayDC() override { return overlay; }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    MouseEvent NextMouseEvent() override;
    // Records the menu and answers from the script (0 when it is empty).
    unsigned TrackPopupMenu(const std::vector<MenuItem>& items, CPoint at) override;
    std::vector<std::vector<MenuItem>> menus;
    std::deque<unsigned> menuAnswers;

    void moveTo(CPoint p) { script.push_back({MouseEvent::Move, p}); }
    void releaseAt(CPoint p) { script.push_back({MouseEvent::LButtonUp, p}); }
    void dragTo(CPoint p) {
        moveTo(p);
        releaseAt(p);
    }
    void pressEscape() { script.push_back({MouseEvent::Escape, {}}); }
    void loseCapture() { script.push_back({MouseEvent::CaptureLost, {}}); }
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    std::deque<MsgResult> answers; // the default button answers when empty
    std::vector<std::string> shown;
    std::vector<MsgIcon> icons;

    MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                   MsgResult defaultButton) override;
};

// Each request runs its handler when one is set, else it is cancelled; titles are recorded.
class ScriptedDialogs : public DialogRequests {
public:
    std::vector<std::string> titles;
    std::function<bool(std::string&)> onText;
    std::function<bool(std::string&, std::string&)> onEntryExit;
    std::function<bool(std::string&, std::string&, std::string&)> onEvent;
    std::function<bool(StateProperties&)> onState;
    std::function<bool(BoxProperties&)> onBox;
    std::function<bool(LineProperties&)> onLine;
    std::function<bool(std::string&, std::string&, std::string&)> onModel;
    std::function<bool(CodeGenTexts&)> onCodeGen;
    std::function<void(TextSearch&)> onFindReplace;

    bool editText(const std::string& title, std::string& text) override;
    bool editEntryExit(const std::string& title, std::string& entry, std::string& exit) override;
    bool editEvent(const std::string& title, std::string& event, std::string& guard,
                   std::string& effect) override;
    bool stateProperties(StateProperties& props) override;
    bool boxProperties(const std::string& title, BoxProperties& props) override;
    bool lineProperties(LineProperties& props) override;
    bool modelProperties(std::string& name, std::string& author, std::string& desc) override;
    bool codeGenProperties(CodeGenTexts& texts) override;
    void findReplace(TextSearch& search) override;
};

// The clipboard of one test, by format name.
class MemoryClipboard : public Clipboard {
public:
    std::map<std::string, std::string> formats;

    void setData(const std::string& format, const std::string& data) override {
        formats = {{format, data}};
    }
    std::optional<std::string> getData(const std::string& format) const override {
        auto it = formats.find(format);
        return it == formats.end() ? std::nullopt : std::optional(it->second);
    }
};

// Installs the fakes for one test and restores the headless services afterwards.
class FakePlatform {
public:
    MemorySettingsStore settings;
    ScriptedMessageBoxes messages;
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;

    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
};
