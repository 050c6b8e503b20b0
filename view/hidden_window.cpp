#include "view/hidden_window.h"

#include "model/connectable_rect_shape.h"
#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "view/layout_mgr.h"

namespace {

const MenuItem cSeparator{};
const MenuItem cBringToFront{cmd::BringToFront, "Bring to &front"};
const MenuItem cSendToBack{cmd::SendToBack, "Send to &back"};

MenuItem showAnchors(Shape* s) {
    const auto* box = dynamic_cast<ConnectableRectShape*>(s);
    return {cmd::ShowAnchors, "Show Anchors", true, box && box->isNodeShown()};
}

} // namespace

std::vector<MenuItem> HiddenWindow::menuFor(Shape* s) {
    using namespace cmd;
    if (dynamic_cast<GenericState*>(s))
        return {{Properties, "Properties..."},
                {EditEntryExit, "Edit Entry/Exit"},
                cSeparator,
                showAnchors(s),
                cSeparator,
                {DeleteState, "Delete State"},
                cBringToFront,
                cSendToBack};
    if (dynamic_cast<InitialState*>(s))
        return {showAnchors(s), cSeparator,    {DeleteState, "Delete Initial State"},
                cSeparator,     cBringToFront, cSendToBack};
    if (dynamic_cast<FinalState*>(s))
        return {showAnchors(s), cSeparator,    {DeleteState, "Delete Final State"},
                cSeparator,     cBringToFront, cSendToBack};
    if (auto* t = dynamic_cast<Transition*>(s)) {
        const Mesg* m = t->getMesg();
        return {{AddMessage, "Add Message", m == nullptr},
                {AlignMessage, "Align Message", m != nullptr && !m->isAligned()},
                {DeleteMessage, "Delete Message", m != nullptr},
                cSeparator,
                {DeleteTransition, "Delete Transition"},
                cSeparator,
                cBringToFront,
                cSendToBack};
    }
    if (auto* m = dynamic_cast<Mesg*>(s))
        return {{Properties, "Properties..."},
                {EditMesg, "Edit..."},
                {AlignMesg, "Align", !m->isAligned()},
                cSeparator,
                showAnchors(s),
                cSeparator,
                {DeleteMesg, "Delete Mesg"},
                cBringToFront,
                cSendToBack};
    if (dynamic_cast<Note*>(s))
        return {{Properties, "Properties..."},
                {EditNote, "Edit..."},
                cSeparator,
                showAnchors(s),
                cSeparator,
                {DeleteNote, "Delete Note"},
                cBringToFront,
                cSendToBack};
    if (dynamic_cast<Line*>(s))
        return {{Properties, "Properties..."},
                cSeparator,
                {DeleteLine, "Delete Line"},
                cSeparator,
                cBringToFront,
                cSendToBack};
    return {};
}

void HiddenWindow::ShowMenu(Shape* s, CPoint at) {
    const std::vector<MenuItem> items = menuFor(s);
    CWnd* wnd = view->getWindow();
    if (items.empty() || !wnd)
        return;
    SetShape(s);
    const unsigned chosen = wnd->TrackPopupMenu(items, at);
    if (chosen != 0)
        OnCommand(chosen);
}

void HiddenWindow::OnCommand(unsigned id) {
    if (id == cmd::BringToFront || id == cmd::SendToBack) {
        view->onCommand(id);
        return;
    }
    if (!shape)
        return;
    // The shape may delete itself.
    Shape* target = shape;
    shape = nullptr;
    target->onContextMenuAction(static_cast<int>(id));
    view->pushUndoAction();
}
