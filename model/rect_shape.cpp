#include "model/rect_shape.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/rect_tracker.h"
#include "model/view_services.h"
#include "platform/cwnd.h"

namespace {
CRect normalised(CRect r) {
    r.NormalizeRect();
    return r;
}
} // namespace

RectShape::RectShape() = default;

RectShape::RectShape(long id, const std::string& type, ViewServices* view, const CRect& r, short z)
    : Shape(id, type, view, z), rect(normalised(r)) {}

// The tracker belongs to its owner; a copy makes its own in init.
RectShape::RectShape(const RectShape& other) : Shape(other), rect(other.rect) {}

RectShape& RectShape::operator=(const RectShape& other) {
    Shape::operator=(other);
    rect = other.rect;
    return *this;
}

RectShape::~RectShape() = default;

void RectShape::serialise(OutArchive& ar) {
    Shape::serialise(ar);
    ar.getStream() << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom;
    ar.endl();
}

void RectShape::serialise(InArchive& ar) {
    Shape::serialise(ar);
    long l = 0, t = 0, r = 0, b = 0;
    ar.readNumbers(l, t, r, b);
    rect = CRect(InArchive::toCoordinate(l), InArchive::toCoordinate(t), InArchive::toCoordinate(r),
                 InArchive::toCoordinate(b));
    rect.NormalizeRect();
}

CRect RectShape::getClientRect() const {
    if (!mgr)
        return rect;
    return mgr->zpFu(mgr->getClientPos(rect));
}

void RectShape::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr || !tracker || mgr->isPrinting() || !mgr->getCollection().find(this))
            return;
        tracker->m_rect = getClientRect();
        tracker->Draw(dc);
    }
}

void RectShape::getMaxPrintArea(long& x, long& y) {
    x = rect.right;
    y = rect.bottom;
}

bool RectShape::isClientPt(const CPoint& pt) const {
    return getClientRect().PtInRect(pt);
}

bool RectShape::isNearPt(const CPoint& pt) const {
    CRect near = rect;
    near.InflateRect(2, 2);
    return near.PtInRect(pt);
}

bool RectShape::isInRect(const CRect& r) const {
    return r.PtInRect(rect.TopLeft()) && r.PtInRect(rect.BottomRight());
}

void RectShape::invalidate() {
    if (mgr)
        mgr->repaint(getClientRect());
}

CRect RectShape::getBoundingRect() {
    return rect;
}

void RectShape::init() {
    if constexpr (config::kInteractive)
        tracker = std::make_unique<RectTracker>(this);
}

void RectShape::setRect(const CRect& r) {
    changeRect(r, false);
}
void RectShape::resizeRect(const CRect& r) {
    changeRect(r, true);
}

void RectShape::changeRect(const CRect& r, bool resized) {
    if (r == rect)
        return;
    const CRect old = rect;
    rect = normalised(r);
    if (!resized) {
        // A shape never lies left of or above unit 1.
        if (rect.left < 1)
            rect.OffsetRect(1 - rect.left, 0);
        if (rect.top < 1)
            rect.OffsetRect(0, 1 - rect.top);
    }
    onRectChange(old, resized);
    if (mgr)
        mgr->repaint(mgr->zpFu(mgr->getClientPos(old)), getClientRect());
}

CRect RectShape::expandRect(const CRect& r) {
    return {r.left, r.top, r.right + 1, r.bottom + 1};
}

void RectShape::onRectChange(const CRect&, bool) {}

UINT RectShape::getHandleMask() const {
    return 255;
}

void RectShape::adjustRect(RECT* trackRect) {
    if (!mgr || !trackRect)
        return;
    const CPoint minPt = mgr->zpFu(mgr->getClientPos(CPoint(1, 1)));
    const long minSize = mgr->zpFu(4);
    const LONG width = static_cast<LONG>(std::max<long>(trackRect->Width(), minSize));
    const LONG height = static_cast<LONG>(std::max<long>(trackRect->Height(), minSize));
    if (trackRect->left < minPt.x)
        trackRect->left = minPt.x;
    if (trackRect->top < minPt.y)
        trackRect->top = minPt.y;
    trackRect->right = trackRect->left + width;
    trackRect->bottom = trackRect->top + height;
    *trackRect = mgr->zpFu(mgr->uFp(*trackRect));
}

void RectShape::adjustRect(int, RECT* trackRect) {
    if (!mgr || !trackRect)
        return;
    adjustRect(trackRect);
    const CRect units = mgr->getAbsolutePos(mgr->uFp(*trackRect));
    if (units.Size() == rect.Size()) {
        // A move: the other selected shapes follow with their drag feedback.
        CSize offset = units.TopLeft() - rect.TopLeft();
        mgr->getCollection().execute(eTrack, &offset, this);
    }
}

void RectShape::onLButtonDown(UINT, CPoint point) {
    if constexpr (config::kInteractive) {
        if (!mgr)
            return;
        Collection& selection = mgr->getCollection();
        if (!selection.find(this)) {
            selection.add(this);
            showTracker(true);
        }
        CWnd* wnd = mgr->getWindow();
        if (!wnd || !tracker)
            return;
        // The view may have scrolled or zoomed since the tracker was last drawn.
        tracker->m_rect = getClientRect();
        if (tracker->Track(wnd, point)) {
            CRect tracked = mgr->getAbsolutePos(mgr->uFp(tracker->m_rect));
            tracked.NormalizeRect();
            if (tracked.Size() == rect.Size()) {
                CSize offset = tracked.TopLeft() - rect.TopLeft();
                selection.execute(eMove, &offset, this);
                selection.execute(eEndTrack, nullptr, this);
                setRect(tracked);
            } else {
                resizeRect(tracked);
            }
        }
        selection.execute(eEndTrack, nullptr, this);
    }
}

void RectShape::showTracker(bool show) {
    if (!tracker || !mgr)
        return;
    if (show)
        tracker->m_rect = getClientRect();
    const UINT mask = getHandleMask();
    for (int handle = 0; handle < 8; ++handle)
        if (mask & (1u << handle))
            mgr->repaint(tracker->GetHandleRect(handle));
    if (!show)
        tracker->m_rect = CRect();
}

bool RectShape::onSetCursor(CWnd* wnd, UINT hitTest, UINT) {
    if constexpr (config::kInteractive) {
        if (tracker && wnd)
            return tracker->SetCursor(wnd, hitTest);
    }
    return false;
}

void RectShape::drawGhost() {
    xorRectangle(mgr ? mgr->getWindow() : nullptr, ghost, DrawingResources::instance().dragPen);
}

void RectShape::execute(EAction action, void* data) {
    switch (action) {
    case eDeselect:
        showTracker(false);
        break;
    case eSelect:
        showTracker(true);
        break;
    case eMove:
        if (data) {
            CRect moved = rect;
            moved.OffsetRect(*static_cast<CSize*>(data));
            setRect(moved);
        }
        break;
    case eTrack:
        if constexpr (config::kInteractive) {
            if (!data || !mgr)
                break;
            CRect moved = rect;
            moved.OffsetRect(*static_cast<CSize*>(data));
            moved = mgr->zpFu(mgr->getClientPos(moved));
            if (ghostShown && moved == ghost)
                break;
            // XOR feedback: the old outline is drawn again to remove it.
            if (ghostShown)
                drawGhost();
            ghost = moved;
            drawGhost();
            ghostShown = true;
        }
        break;
    case eEndTrack:
        if (ghostShown) {
            drawGhost();
            ghostShown = false;
        }
        break;
    }
}
