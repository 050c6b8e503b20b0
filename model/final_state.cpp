#include "model/final_state.h"

#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/side_anchors.h"
#include "platform/cdc.h"

const std::string FinalState::cType = "FinalState";

FinalState::FinalState() = default;

FinalState::FinalState(long id, ViewServices* view, const CRect& r)
    : State(id, cType, view, r, "") {}

void FinalState::updateNodes() {
    nodes.clear();
    if constexpr (config::kInteractive)
        anchors::midSides(nodes, rect);
}

void FinalState::onRectChange(const CRect& oldRect, bool resized) {
    State::onRectChange(oldRect, resized);
    EndableState::publishChange(resized);
}

void FinalState::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr)
            return;
        const DrawingResources& res = DrawingResources::instance();
        CRect r = getClientRect();
        r.DeflateRect(3, 3);
        const Brush oldBrush = dc->SelectBrush(res.hollowBrush);
        dc->Ellipse(r);
        r.DeflateRect(5, 5);
        dc->SelectBrush(res.blackBrush);
        dc->Ellipse(r);
        dc->SelectBrush(oldBrush);
        State::draw(dc);
    }
}
