#include "model/state.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/default_settings.h"
#include "model/res_strings.h"
#include "model/transition.h"
#include "model/util.h"
#include "platform/command_ids.h"
#include "platform/services.h"

#include <algorithm>

namespace {

// Removes the first occurrence; false when t is not listed.
bool removeFirst(std::vector<Transition*>& list, Transition* t) {
    auto it = std::find(list.begin(), list.end(), t);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}
} // namespace

State::State(long id, const std::string& type, ViewServices* view, const CRect& r,
             const std::string& stateName)
    : ConnectableRectShape(id, type, view, r, cStateLayer), name(stateName) {
    if constexpr (config::kInteractive)
        nodeShown = CDefaultSettingDlg::Instance().stateAnchor;
}

void State::serialise(OutArchive& ar) {
    ConnectableRectShape::serialise(ar);
    ar.getStream() << name;
    ar.endl();
}

void State::serialise(InArchive& ar) {
    ConnectableRectShape::serialise(ar);
    name = ar.readTextLine();
}

void State::onContextMenuAction(int commandId) {
    if (commandId != cmd::DeleteState) {
        ConnectableRectShape::onContextMenuAction(commandId);
        return;
    }
    if (platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE), MsgButtons::YesNo,
                                      MsgIcon::Question, MsgResult::No) != MsgResult::Yes)
        return;
    invalidate();
    delete this; // nothing may touch the state after this line
}

// --- StartableState ---

StartableState::~StartableState() {
    detachAll();
}

void StartableState::attachTransitionHead(Transition* t) {
    heads.push_back(t);
}

void StartableState::detachTransitionHead(Transition* t) {
    if (removeFirst(heads, t))
        t->detach(this);
}

// Iterates a copy: a transition that follows may change the list.
void StartableState::publishChange(bool) {
    const std::vector<Transition*> listed = heads;
    for (Transition* t : listed)
        t->reCalculate(this);
}

void StartableState::detachAll() {
    const std::vector<Transition*> listed = heads;
    for (Transition* t : listed)
        t->detach(this);
    heads.clear();
}

// --- EndableState ---

EndableState::~EndableState() {
    detachAll();
}

void EndableState::attachTransitionTail(Transition* t) {
    tails.push_back(t);
}

void EndableState::detachTransitionTail(Transition* t) {
    if (removeFirst(tails, t))
        t->detach(this);
}

void EndableState::publishChange(bool) {
    const std::vector<Transition*> listed = tails;
    for (Transition* t : listed)
        t->reCalculate(this);
}

void EndableState::detachAll() {
    const std::vector<Transition*> listed = tails;
    for (Transition* t : listed)
        t->detach(this);
    tails.clear();
}
