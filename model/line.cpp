#include "model/line.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/default_settings.h"
#include "model/drawing_resources.h"
#include "model/res_strings.h"
#include "model/shape_registry.h"
#include "model/trackers.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/command_ids.h"
#include "platform/services.h"

#include <algorithm>

Line::Line(long id, ViewServices* view, const CPoint& h, const CPoint& t)
    : ComplexShape(id, cType, view, cNoteLayer), head(h), tail(t) {
    if constexpr (config::kInteractive) {
        const CDefaultSettingDlg& defaults = CDefaultSettingDlg::Instance();
        penColor = defaults.lineColor;
        penStyle = defaults.lineStyle;
    }
}

Line::~Line() {
    releaseEnd(true);
    releaseEnd(false);
}

void Line::serialise(OutArchive& ar) {
    ComplexShape::serialise(ar);
    std::ostream& out = ar.getStream();
    out << head.x << ' ' << head.y << ' ' << tail.x << ' ' << tail.y;
    ar.endl();
    out << headObjId << ' ' << tailObjId;
    ar.endl();
    out << headNode.side << ' ' << headNode.index << ' ' << tailNode.side << ' ' << tailNode.index;
    ar.endl();
    out << penColor << ' ' << penStyle;
    ar.endl();
}

void Line::serialise(InArchive& ar) {
    ComplexShape::serialise(ar);
    long hx = 0, hy = 0, tx = 0, ty = 0;
    ar.readNumbers(hx, hy, tx, ty);
    head = CPoint(InArchive::toCoordinate(hx), InArchive::toCoordinate(hy));
    tail = CPoint(InArchive::toCoordinate(tx), InArchive::toCoordinate(ty));
    ar.readNumbers(headObjId, tailObjId);
    ar.readNumbers(headNode.side, headNode.index, tailNode.side, tailNode.index);
    ar.readNumbers(penColor, penStyle);
}

CPoint Line::toPixel(const CPoint& units) const {
    return mgr->zpFu(mgr->getClientPos(units));
}

CRect Line::handleAt(const CPoint& units) const {
    // The handle pixel grown on every side: a square of 2 * cHandleSize + 1 pixels.
    const CPoint p = toPixel(units);
    return {p.x - cHandleSize, p.y - cHandleSize, p.x + cHandleSize + 1, p.y + cHandleSize + 1};
}

CRect Line::getHeadDragRect() const {
    return handleAt(head);
}
CRect Line::getTailDragRect() const {
    return handleAt(tail);
}

void Line::constructRgn() {
    if (!mgr) {
        rgn.reset();
        return;
    }
    rgn = std::make_unique<CRgn>();
    rgn->unite(*Util::createRgn(toPixel(head), toPixel(tail), cRgnWidth));
    rgn->unite(CRgn::rect(getHeadDragRect()));
    rgn->unite(CRgn::rect(getTailDragRect()));
    rgnScroll = mgr->getScrollPosition();
    rgnZoom = mgr->getZoom();
}

void Line::invalidate() {
    if (!mgr || !rgn)
        return;
    refreshRgn();
    if (!rgn->isEmpty())
        mgr->repaint(rgn->GetRgnBox());
}

// The region is in client pixels, so scrolling or zooming outdates it.
void Line::refreshRgn() {
    if (mgr && (!rgn || mgr->getScrollPosition() != rgnScroll || mgr->getZoom() != rgnZoom))
        constructRgn();
}

// Both ends with their handles around them.
CRect Line::getDrawnBounds() const {
    if (!mgr)
        return {};
    CRect box = getHeadDragRect();
    box.UnionRect(box, getTailDragRect());
    box.InflateRect(2, 2);
    return box;
}

void Line::init() {
    auto resolve = [this](long& id, Connectable*& obj) {
        if (id == 0 || obj)
            return;
        Shape* s = registry ? registry->getShape(id) : nullptr;
        obj = dynamic_cast<Connectable*>(s);
        if (obj)
            obj->attach(this);
        else
            id = 0; // the shape is gone: a free end
    };
    resolve(headObjId, headObj);
    resolve(tailObjId, tailObj);
    constructRgn();
    invalidate();
}

void Line::reCalculate(Connectable* c) {
    invalidate();
    if (c == headObj)
        head = c->getAnchorPoint(headNode);
    if (c == tailObj)
        tail = c->getAnchorPoint(tailNode);
    constructRgn();
    invalidate();
}

void Line::detach(Connectable* c) {
    if (c == headObj) {
        headObj = nullptr;
        headObjId = 0;
    }
    if (c == tailObj) {
        tailObj = nullptr;
        tailObjId = 0;
    }
}

bool Line::isUnderCollection() {
    return mgr && mgr->getCollection().find(static_cast<Collectable*>(this));
}

void Line::execute(EAction action, void* data) {
    switch (action) {
    case eDeselect:
    case eSelect:
        invalidate();
        break;
    case eMove: {
        // Each end on its own: a line joining a shape to itself is attached there twice.
        if (headObj && !headObj->isUnderCollection())
            releaseEnd(true);
        if (tailObj && !tailObj->isUnderCollection())
            releaseEnd(false);
        const CSize offset = *static_cast<const CSize*>(data);
        invalidate();
        head += offset;
        tail += offset;
        constructRgn();
        invalidate();
        break;
    }
    case eTrack:
    case eEndTrack:
        break;
    }
}

bool Line::reBirth(std::map<long, long>& idMap) {
    Shape::reBirth(idMap);
    for (long* id : {&headObjId, &tailObjId}) {
        if (*id == 0)
            continue;
        auto it = idMap.find(*id);
        *id = it == idMap.end() ? 0 : it->second;
    }
    return true;
}

void Line::draw(CDC* dc) {
    if constexpr (!config::kInteractive)
        return;
    if (!mgr || !dc)
        return;
    refreshRgn();
    const Pen old = dc->SelectPen(CDefaultSettingDlg::CreateLinePen(penStyle, penColor));
    dc->MoveTo(toPixel(head));
    dc->LineTo(toPixel(tail));
    dc->SelectPen(old);
    if (isUnderCollection()) {
        const Brush blue = Brush::solid(0x00FF0000);
        dc->FillRect(getHeadDragRect(), blue);
        dc->FillRect(getTailDragRect(), blue);
    }
}

bool Line::onSetCursor(CWnd* wnd, UINT, UINT) {
    if constexpr (!config::kInteractive)
        return true;
    if (!wnd || !mgr)
        return true;
    const DrawingResources& res = DrawingResources::instance();
    const CPoint p = wnd->GetCursorPos();
    if (!isUnderCollection())
        wnd->SetCursor(res.cursor154);
    else if (getHeadDragRect().PtInRect(p) || getTailDragRect().PtInRect(p))
        wnd->SetCursor(res.cursor145);
    else
        wnd->SetCursor(res.cursor146);
    return true;
}

void Line::onLButtonDown(UINT, CPoint point) {
    if constexpr (!config::kInteractive)
        return;
    if (!mgr)
        return;
    if (!isUnderCollection()) {
        mgr->getCollection().add(this);
        invalidate();
    }
    CWnd* wnd = mgr->getWindow();
    if (!wnd)
        return;
    if (getHeadDragRect().PtInRect(point))
        dragEnd(true, wnd);
    else if (getTailDragRect().PtInRect(point))
        dragEnd(false, wnd);
    else
        moveBody(point, wnd);
    invalidate();
}

void Line::moveBody(const CPoint& pixel, CWnd* wnd) {
    drag = Drag::Body;
    dragStart = mgr->uFp(pixel);
    PointTracker tracker(static_cast<ComplexShape*>(this), &ComplexShape::trackCallBack, false);
    tracker.setStart(pixel);
    const bool accepted = tracker.track(wnd);
    drag = Drag::None;
    Collection& selection = mgr->getCollection();
    CSize offset = mgr->uFp(tracker.getPoint()) - dragStart;
    // A click without a move must not let go of the attached shapes.
    if (accepted && offset != CSize(0, 0))
        selection.execute(eMove, &offset);
    selection.execute(eEndTrack, nullptr);
}

void Line::dragEnd(bool headEnd, CWnd* wnd) {
    const CPoint other = headEnd ? tail : head;
    drag = headEnd ? Drag::Head : Drag::Tail;
    PointTracker tracker(static_cast<ComplexShape*>(this), &ComplexShape::trackCallBack, true);
    tracker.setStart(toPixel(other));
    const bool accepted = tracker.track(wnd);
    drag = Drag::None;
    marker.hide(mgr);
    if (!accepted)
        return;

    const CPoint pixel = tracker.getPoint();
    NODE node;
    Connectable* target = anchorAt(pixel, node);
    // An attached end sits on its anchor even where the snapped pixel rounds to a
    // neighbouring unit.
    const CPoint to = target ? target->getAnchorPoint(node) : mgr->getAbsolutePos(mgr->uFp(pixel));
    if (to == other)
        return;

    invalidate();
    attachEnd(headEnd, target, node);
    (headEnd ? head : tail) = to;
    constructRgn();
    invalidate();
}

void Line::releaseEnd(bool headEnd) {
    Connectable*& obj = headEnd ? headObj : tailObj;
    if (obj)
        obj->detach(this);
    obj = nullptr;
    (headEnd ? headObjId : tailObjId) = 0;
}

void Line::attachEnd(bool headEnd, Connectable* c, const NODE& node) {
    releaseEnd(headEnd);
    if (!c)
        return;
    (headEnd ? headObj : tailObj) = c;
    (headEnd ? headObjId : tailObjId) = c->getObjectId();
    (headEnd ? headNode : tailNode) = node;
    c->attach(this);
}

Connectable* Line::anchorAt(const CPoint& pixel, NODE& node) const {
    auto* c = dynamic_cast<Connectable*>(mgr->getShapeAtPoint(pixel));
    if (!c)
        return nullptr;
    const CPoint normal = ViewServices::pFu(mgr->getAbsolutePos(mgr->uFp(pixel)));
    return c->isPointInNode(normal, node) ? c : nullptr;
}

void Line::trackCallBack(CPoint& point) {
    if constexpr (!config::kInteractive)
        return;
    if (!mgr)
        return;
    if (drag == Drag::Body) {
        CSize offset = mgr->uFp(point) - dragStart;
        mgr->getCollection().execute(eTrack, &offset);
        return;
    }
    if (drag == Drag::None)
        return;
    NODE node;
    if (Connectable* c = anchorAt(point, node)) {
        point = mgr->anchorPixel(c->getAnchorPoint(node), node);
        marker.show(mgr, point);
    } else {
        point = mgr->zpFu(mgr->uFp(point));
        marker.hide(mgr);
    }
}

void Line::onContextMenuAction(int commandId) {
    switch (commandId) {
    case cmd::DeleteLine:
        if (platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE_LINE), MsgButtons::YesNo,
                                          MsgIcon::Question, MsgResult::No) == MsgResult::Yes)
            delete this;
        break;
    case cmd::Properties: {
        LineProperties props{penColor, penStyle};
        if (platform::dialogs().lineProperties(props)) {
            penColor = props.penColor;
            penStyle = props.penStyle;
            invalidate();
        }
        break;
    }
    default:
        ComplexShape::onContextMenuAction(commandId);
    }
}

void Line::getMaxPrintArea(long& x, long& y) {
    x = std::max<long>(head.x, tail.x);
    y = std::max<long>(head.y, tail.y);
}
