#include "model/mesg.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/default_settings.h"
#include "model/drawing_resources.h"
#include "model/res_strings.h"
#include "model/shape_registry.h"
#include "model/side_anchors.h"
#include "model/trackers.h"
#include "model/transition.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/cdc.h"
#include "platform/command_ids.h"
#include "platform/cwnd.h"
#include "platform/services.h"

namespace {
const char* const cEditTitle = "Message";
constexpr COLORREF cAttachColor = 0x0000C000;
constexpr LONG cSnapDistance = 8; // pixels around the transition's attach square
} // namespace

const std::string Mesg::cType = "Mesg";

Mesg::Mesg() = default;

Mesg::Mesg(long id, ViewServices* view, const CRect& r, Transition* t)
    : ConnectableRectShape(id, cType, view, r, cMesgLayer), transition(t),
      transitionId(t ? t->getObjId() : 0) {
    if constexpr (config::kInteractive) {
        const CDefaultSettingDlg& defaults = CDefaultSettingDlg::Instance();
        transparent = defaults.mesgBgTransparent ? 1 : 0;
        noBorder = defaults.mesgBorder ? 1 : 0;
        bkColor = defaults.mesgBgColor;
        borderColor = defaults.mesgBorderColor;
        nodeShown = defaults.mesgAnchor;
    }
}

Mesg::~Mesg() {
    if (transition)
        transition->delinkMesg(this);
}

void Mesg::serialise(OutArchive& ar) {
    ConnectableRectShape::serialise(ar);
    std::ostream& out = ar.getStream();
    out << transparent << ' ' << noBorder << ' ' << bkColor << ' ' << borderColor;
    ar.endl();
    out << transitionId;
    ar.endl();
    out << textHandler.getEvent();
    ar.endl();
    out << textHandler.getGuard();
    ar.endl();
    Util::writeMultiLines(out, textHandler.getEffect(), marker::TEXTBEGIN, marker::TEXTEND);
}

void Mesg::serialise(InArchive& ar) {
    ConnectableRectShape::serialise(ar);
    ar.readNumbers(transparent, noBorder, bkColor, borderColor);
    ar.readNumbers(transitionId);
    std::string event, guard, effect;
    // Labels before 3.0 held only one text, the effect block.
    if (ar.isAtLeast(3, 0)) {
        event = ar.readTextLine();
        guard = ar.readTextLine();
    }
    Util::readMultiLines(ar.getStream(), effect, marker::TEXTBEGIN, marker::TEXTEND);
    textHandler.setData(event, guard, effect);
}

void Mesg::init() {
    textHandler.create(mgr);
    bindTransition();
    ConnectableRectShape::init();
}

void Mesg::initPartial() {
    bindTransition();
}

// A label whose transition is missing or of another kind stays unattached, and so does a
// second label of one transition: a transition owns one label, and the other would be left
// pointing at it after it died.
void Mesg::bindTransition() {
    transition = registry ? dynamic_cast<Transition*>(registry->getShape(transitionId)) : nullptr;
    if (transition && transition->getMesg() && transition->getMesg() != this)
        transition = nullptr;
    if (transition)
        transition->attachMesg(this);
}

bool Mesg::reBirth(std::map<long, long>& idMap) {
    ConnectableRectShape::reBirth(idMap);
    auto it = idMap.find(transitionId);
    if (it == idMap.end())
        return false;
    transitionId = it->second;
    return true;
}

void Mesg::updateNodes() {
    nodes.clear();
    if constexpr (config::kInteractive)
        anchors::midSides(nodes, rect);
}

CRect Mesg::getAttachRect() const {
    if (!mgr)
        return {};
    const CPoint c = mgr->zpFu(mgr->getClientPos(getAttachPoint()));
    return {c.x - cAttachRectOffset, c.y - cAttachRectOffset, c.x + cAttachRectOffset + 1,
            c.y + cAttachRectOffset + 1};
}

bool Mesg::isAlignedAt(const CRect& r) const {
    if (!mgr || !transition)
        return false;
    const CPoint target = mgr->uFp(transition->getAttachRect().CenterPoint());
    return target == mgr->getClientPos(r.CenterPoint());
}

bool Mesg::isAligned() const {
    return isAlignedAt(rect);
}

void Mesg::align() {
    if (!mgr || !transition)
        return;
    const CPoint target = mgr->uFp(transition->getAttachRect().CenterPoint());
    CSize offset = target - mgr->getClientPos(getAttachPoint());
    if (offset != CSize())
        execute(eMove, &offset);
}

void Mesg::onRectChange(const CRect& oldRect, bool resized) {
    // A label that sat on its transition stays centred on it when resized.
    if (resized && isAlignedAt(oldRect))
        align();
    ConnectableRectShape::onRectChange(oldRect, resized);
}

bool Mesg::isShownSelected() {
    if (!mgr)
        return false;
    const Collection& selection = mgr->getCollection();
    return selection.find(this) || (transition && selection.find(transition));
}

void Mesg::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr)
            return;
        const CRect r = getClientRect();
        const Brush brush =
            transparent ? DrawingResources::instance().hollowBrush : Brush::solid(bkColor);
        if (!noBorder) {
            const Pen oldPen = dc->SelectPen(Pen{PenStyle::Solid, 0, borderColor});
            const Brush oldBrush = dc->SelectBrush(brush);
            dc->Rectangle(r);
            dc->SelectBrush(oldBrush);
            dc->SelectPen(oldPen);
        } else if (!transparent) {
            dc->FillRect(r, brush);
        }
        CRect text = r;
        text.DeflateRect(3, 3);
        textHandler.drawText(dc, text);
        ConnectableRectShape::draw(dc);
        if (isShownSelected())
            dc->FillRect(getAttachRect(), Brush::solid(cAttachColor));
    }
}

void Mesg::showTracker(bool show) {
    ConnectableRectShape::showTracker(show);
    if (mgr)
        mgr->repaint(getAttachRect());
}

void Mesg::setTransitionSelected(bool) {
    if (mgr)
        mgr->repaint(getAttachRect());
}

void Mesg::onContextMenuAction(int commandId) {
    switch (commandId) {
    case cmd::EditMesg:
        if (textHandler.handleEdit(cEditTitle)) {
            invalidate();
            if (mgr && transition)
                mgr->refreshObjectEntry(transition);
        }
        break;
    case cmd::DeleteMesg:
        if (platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE), MsgButtons::YesNo,
                                          MsgIcon::Question, MsgResult::No) == MsgResult::Yes) {
            invalidate();
            delete this; // nothing may touch the label after this line
        }
        break;
    case cmd::Properties:
        editProperties();
        break;
    case cmd::AlignMesg:
        align();
        break;
    default:
        ConnectableRectShape::onContextMenuAction(commandId);
        break;
    }
}

void Mesg::editProperties() {
    if (editBoxProperties(LoadResString(IDS_MESSAGE_PROPERTIES), transparent, noBorder, bkColor,
                          borderColor))
        invalidate();
}

void Mesg::onLButtonDoubleClick(UINT, CPoint) {
    if (textHandler.handleEdit(cEditTitle)) {
        invalidate();
        if (mgr && transition)
            mgr->refreshObjectEntry(transition); // the browser names it by its event
    }
}

void Mesg::onLButtonDown(UINT flags, CPoint point) {
    if constexpr (config::kInteractive) {
        CWnd* wnd = mgr ? mgr->getWindow() : nullptr;
        if (!wnd || !transition || !mgr->getCollection().find(this) ||
            !getAttachRect().PtInRect(point)) {
            ConnectableRectShape::onLButtonDown(flags, point);
            return;
        }
        // Dragging the attach square: dropped on the transition's, the label aligns.
        PointTracker pointTracker(this, static_cast<TrackCallback>(&Mesg::trackCallBack), true);
        pointTracker.setStart(point);
        const bool released = pointTracker.track(wnd);
        showSnapMarker(false);
        if (released && transition->getAttachRect().PtInRect(pointTracker.getPoint()))
            align();
        invalidate();
        mgr->repaint(transition->getAttachRect());
    }
}

void Mesg::trackCallBack(CPoint& point, void* mesg) {
    static_cast<Mesg*>(mesg)->trackCallBack(point);
}

void Mesg::trackCallBack(CPoint& point) {
    if constexpr (config::kInteractive) {
        if (!mgr)
            return;
        point = mgr->zpFu(mgr->uFp(point));
        if (!transition) {
            showSnapMarker(false);
            return;
        }
        const CRect area = transition->getAttachRect();
        CRect near = area;
        near.InflateRect(cSnapDistance, cSnapDistance);
        const bool snap = near.PtInRect(point);
        if (snap)
            point = area.CenterPoint();
        showSnapMarker(snap, point);
    }
}

// The marker is an XOR square on the overlay: drawing it again removes it.
void Mesg::showSnapMarker(bool show, CPoint at) {
    CWnd* wnd = mgr ? mgr->getWindow() : nullptr;
    if (!wnd)
        return;
    const CRect wanted(at.x - cAttachRectOffset, at.y - cAttachRectOffset,
                       at.x + cAttachRectOffset + 1, at.y + cAttachRectOffset + 1);
    if (snapShown && show && wanted == snapRect)
        return;
    CDC& dc = wnd->GetOverlayDC();
    const RasterOp oldOp = dc.SetROP2(RasterOp::XorPen);
    const Pen oldPen = dc.SelectPen(DrawingResources::instance().markerPen);
    const Brush oldBrush = dc.SelectBrush(DrawingResources::instance().hollowBrush);
    if (snapShown) {
        dc.Rectangle(snapRect);
        snapShown = false;
    }
    if (show) {
        snapRect = wanted;
        dc.Rectangle(snapRect);
        snapShown = true;
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetROP2(oldOp);
}

bool Mesg::onSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if constexpr (config::kInteractive) {
        if (wnd && mgr && mgr->getCollection().find(this) &&
            getAttachRect().PtInRect(wnd->GetCursorPos())) {
            wnd->SetCursor(DrawingResources::instance().cursor155);
            return true;
        }
    }
    return ConnectableRectShape::onSetCursor(wnd, hitTest, message);
}
