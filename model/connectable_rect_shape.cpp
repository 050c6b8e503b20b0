#include "model/connectable_rect_shape.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/view_services.h"
#include "platform/cdc.h"
#include "platform/command_ids.h"
#include "platform/dialogs.h"
#include "platform/services.h"

namespace {}

ConnectableRectShape::ConnectableRectShape(long id, const std::string& type, ViewServices* view,
                                           const CRect& r, short z)
    : RectShape(id, type, view, r, z) {}

// Connectors are let go while the whole shape still exists: they may ask it who it is.
ConnectableRectShape::~ConnectableRectShape() {
    detachConnectorAll();
}

void ConnectableRectShape::serialise(OutArchive& ar) {
    RectShape::serialise(ar);
    ar.getStream() << (nodeShown ? 1 : 0);
    ar.endl();
}

void ConnectableRectShape::serialise(InArchive& ar) {
    RectShape::serialise(ar);
    int shown = 0;
    ar.readNumbers(shown);
    nodeShown = shown != 0;
}

void ConnectableRectShape::init() {
    updateNodes();
    RectShape::init();
    invalidate();
}

void ConnectableRectShape::updateNodes() {}

void ConnectableRectShape::invalidate() {
    if (!mgr)
        return;
    CRect r = getClientRect();
    r.InflateRect(3, 3); // room for the anchors
    mgr->repaint(r);
}

void ConnectableRectShape::onRectChange(const CRect&, bool resized) {
    drawNodes(nullptr, false);
    updateNodes();
    publishChange(resized);
}

void ConnectableRectShape::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        // Anchors are an editing aid: paper and exported pictures show the chart alone.
        if (nodeShown && !(mgr && mgr->isPrinting()))
            drawNodes(dc, true);
        RectShape::draw(dc);
    }
}

void ConnectableRectShape::drawNodes(CDC* dc, bool show) {
    if constexpr (config::kInteractive) {
        if (!mgr || (show && !dc))
            return;
        Brush oldBrush;
        if (show)
            oldBrush = dc->SelectBrush(DrawingResources::instance().nodeBrush);
        for (auto& [node, point] : nodes) {
            const CPoint px = mgr->zpFu(mgr->getClientPos(point));
            // The image's top-left; right and bottom anchors sit inside the shape.
            CPoint at(px.x - 2, px.y - 2);
            if (node.side == 2)
                at.x -= 3;
            if (node.side == 3)
                at.y -= 3;
            if (show) {
                dc->DrawAnchor(at);
            } else {
                mgr->repaint(CRect(at.x - 1, at.y - 1, at.x + 5, at.y + 5));
                point = CPoint(-10, -10);
            }
        }
        if (show)
            dc->SelectBrush(oldBrush);
    }
}

void ConnectableRectShape::onContextMenuAction(int commandId) {
    if (commandId == cmd::ShowAnchors) {
        nodeShown = !nodeShown;
        invalidate();
        return;
    }
    RectShape::onContextMenuAction(commandId);
}

bool ConnectableRectShape::isUnderCollection() {
    return mgr && mgr->getCollection().find(this);
}

std::uint16_t ConnectableRectShape::getNodeSensitivity() {
    return static_cast<std::uint16_t>(ViewServices::pFu(1));
}

bool ConnectableRectShape::editBoxProperties(const std::string& title, std::int32_t& transparent,
                                             std::int32_t& noBorder, COLORREF& bkColor,
                                             COLORREF& borderColor, bool borderEditable) {
    BoxProperties props{transparent != 0, noBorder != 0, !nodeShown,
                        bkColor,          borderColor,   borderEditable};
    if (!platform::dialogs().boxProperties(title, props))
        return false;
    transparent = props.transparent ? 1 : 0;
    noBorder = props.noBorder ? 1 : 0;
    nodeShown = !props.hidden;
    bkColor = props.bkColor;
    borderColor = props.borderColor;
    return true;
}
