#include "model/initial_state.h"

#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/side_anchors.h"
#include "platform/cdc.h"

const std::string InitialState::cType = "InitialState";

InitialState::InitialState() = default;

InitialState::InitialState(long id, ViewServices* view, const CRect& r)
    : State(id, cType, view, r, "") {}

void InitialState::updateNodes() {
    nodes.clear();
    if constexpr (config::kInteractive)
        anchors::midSides(nodes, rect);
}

void InitialState::onRectChange(const CRect& oldRect, bool resized) {
    State::onRectChange(oldRect, resized);
    StartableState::publishChange(resized);
}

void InitialState::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr)
            return;
        CRect r = getClientRect();
        r.DeflateRect(3, 3);
        const Brush oldBrush = dc->SelectBrush(DrawingResources::instance().blackBrush);
        dc->Ellipse(r);
        dc->SelectBrush(oldBrush);
        State::draw(dc);
    }
}
