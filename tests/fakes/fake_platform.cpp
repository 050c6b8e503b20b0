#include "tests/fakes/fake_platform.h"

namespace {
std::string key(const std::string& section, const std::string& name) {
    return section + "/" + name;
}

template <class F, class... Args> bool answer(const F& handler, Args&... args) {
    return handler ? handler(args...) : false;
}
} // namespace

std::optional<std::int32_t> MemorySettingsStore::readInt(const std::string& section,
                                                         const std::string& name) const {
    auto it = ints.find(key(section, name));
    return it == ints.end() ? std::nullopt : std::optional(it->second);
}

std::optional<std::string> MemorySettingsStore::readString(const std::string& section,
                                                           const std::string& name) const {
    auto it = strings.find(key(section, name));
    return it == strings.end() ? std::nullopt : std::optional(it->second);
}

void MemorySettingsStore::writeInt(const std::string& section, const std::string& name,
                                   std::int32_t value) {
    ints[key(section, name)] = value;
}

void MemorySettingsStore::writeString(const std::string& section, const std::string& name,
                                      const std::string& value) {
    strings[key(section, name)] = value;
}

unsigned ScriptedWnd::TrackPopupMenu(const std::vector<MenuItem>& items, CPoint) {
    menus.push_back(items);
    if (menuAnswers.empty())
        return 0;
    const unsigned id = menuAnswers.front();
    menuAnswers.pop_front();
    return id;
}

MouseEvent ScriptedWnd::NextMouseEvent() {
    if (!captured || script.empty())
        return {MouseEvent::CaptureLost, {}};
    MouseEvent e = script.front();
    script.pop_front();
    cursorPos = e.point;
    return e;
}

MsgResult ScriptedMessageBoxes::show(const std::string& text, MsgButtons, MsgIcon icon,
                                     MsgResult defaultButton) {
    shown.push_back(text);
    icons.push_back(icon);
    if (answers.empty())
        return defaultButton;
    MsgResult r = answers.front();
    answers.pop_front();
    return r;
}

bool ScriptedDialogs::editText(const std::string& title, std::string& text) {
    titles.push_back(title);
    return answer(onText, text);
}

bool ScriptedDialogs::editEntryExit(const std::string& title, std::string& entry,
                                    std::string& exit) {
    titles.push_back(title);
    return answer(onEntryExit, entry, exit);
}

bool ScriptedDialogs::editEvent(const std::string& title, std::string& event, std::string& guard,
                                std::string& effect) {
    titles.push_back(title);
    return answer(onEvent, event, guard, effect);
}

bool ScriptedDialogs::stateProperties(StateProperties& props) {
    titles.push_back("State Properties");
    return answer(onState, props);
}

bool ScriptedDialogs::boxProperties(const std::string& title, BoxProperties& props) {
    titles.push_back(title);
    return answer(onBox, props);
}

bool ScriptedDialogs::lineProperties(LineProperties& props) {
    titles.push_back("Line Properties");
    return answer(onLine, props);
}

bool ScriptedDialogs::modelProperties(std::string& name, std::string& author, std::string& desc) {
    titles.push_back("Model Properties");
    return answer(onModel, name, author, desc);
}

bool ScriptedDialogs::codeGenProperties(CodeGenTexts& texts) {
    titles.push_back("Code Generation Properties");
    return answer(onCodeGen, texts);
}

void ScriptedDialogs::findReplace(TextSearch& search) {
    titles.push_back("Find / Replace");
    if (onFindReplace)
        onFindReplace(search);
}

FakePlatform::FakePlatform() {
    platform::install(&settings);
    platform::install(&messages);
    platform::install(&dialogs);
    platform::install(&clipboard);
}

FakePlatform::~FakePlatform() {
    platform::install(static_cast<SettingsStore*>(nullptr));
    platform::install(static_cast<MessageBoxes*>(nullptr));
    platform::install(static_cast<DialogRequests*>(nullptr));
    platform::install(static_cast<Clipboard*>(nullptr));
}
