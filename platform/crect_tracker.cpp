#include "platform/crect_tracker.h"

#include <functional>
#include <optional>

namespace {
CRect normalised(CRect r) {
    r.NormalizeRect();
    return r;
}

// The rubber outline while tracking; XOR, so drawing it again removes it.
void drawOutline(CDC& dc, const CRect& r) {
    const RasterOp oldRop = dc.SetROP2(RasterOp::NotXorPen);
    const Pen oldPen = dc.SelectPen(Pen{PenStyle::Dot, 0, RGB(0, 0, 0)});
    const Brush oldBrush = dc.SelectBrush(Brush::hollow());
    dc.Rectangle(r);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetROP2(oldRop);
}

// Moves the edges that the handle drags by the mouse offset.
CRect dragged(const CRect& start, int handle, CSize d) {
    CRect r = start;
    switch (handle) {
    case CRectTracker::hitMiddle:
        r.OffsetRect(d);
        break;
    case CRectTracker::hitTopLeft:
        r.left += d.cx;
        r.top += d.cy;
        break;
    case CRectTracker::hitTopRight:
        r.right += d.cx;
        r.top += d.cy;
        break;
    case CRectTracker::hitBottomRight:
        r.right += d.cx;
        r.bottom += d.cy;
        break;
    case CRectTracker::hitBottomLeft:
        r.left += d.cx;
        r.bottom += d.cy;
        break;
    case CRectTracker::hitTop:
        r.top += d.cy;
        break;
    case CRectTracker::hitRight:
        r.right += d.cx;
        break;
    case CRectTracker::hitBottom:
        r.bottom += d.cy;
        break;
    case CRectTracker::hitLeft:
        r.left += d.cx;
        break;
    default:
        break;
    }
    r.NormalizeRect();
    return r;
}
} // namespace

void CRectTracker::AdjustRect(int, RECT*) {}

UINT CRectTracker::GetHandleMask() const {
    return 255;
}

CRect CRectTracker::GetHandleRect(int handle) const {
    if (handle < 0 || handle > 7 || !(GetHandleMask() & (1u << handle)))
        return {};
    const int s = m_nHandleSize;
    CRect r = normalised(m_rect);
    if (m_nStyle & resizeOutside)
        r.InflateRect(s, s);
    const LONG cx = (r.left + r.right) / 2 - s / 2;
    const LONG cy = (r.top + r.bottom) / 2 - s / 2;
    LONG x = r.left;
    LONG y = r.top;
    switch (handle) {
    case hitTopLeft:
        break;
    case hitTopRight:
        x = r.right - s;
        break;
    case hitBottomRight:
        x = r.right - s;
        y = r.bottom - s;
        break;
    case hitBottomLeft:
        y = r.bottom - s;
        break;
    case hitTop:
        x = cx;
        break;
    case hitRight:
        x = r.right - s;
        y = cy;
        break;
    case hitBottom:
        x = cx;
        y = r.bottom - s;
        break;
    case hitLeft:
        y = cy;
        break;
    }
    return {x, y, x + s, y + s};
}

void CRectTracker::Draw(CDC* dc) const {
    if (!dc)
        return;
    const CRect r = normalised(m_rect);
    if (r.IsRectEmpty())
        return;
    const Pen framePen{(m_nStyle & dottedLine) ? PenStyle::Dot : PenStyle::Solid, 0, RGB(0, 0, 0)};
    const Pen oldPen = dc->SelectPen(framePen);
    const Brush oldBrush = dc->SelectBrush(Brush::hollow());
    if (m_nStyle & (solidLine | dottedLine))
        dc->Rectangle(r);
    if (m_nStyle & (resizeInside | resizeOutside)) {
        const Brush handleBrush = Brush::solid(RGB(0, 0, 0));
        for (int h = hitTopLeft; h <= hitLeft; ++h) {
            const CRect hr = GetHandleRect(h);
            if (!hr.IsRectEmpty())
                dc->FillRect(hr, handleBrush);
        }
    }
    dc->SelectBrush(oldBrush);
    dc->SelectPen(oldPen);
}

int CRectTracker::HitTest(CPoint point) const {
    const CRect r = normalised(m_rect);
    if (r.IsRectEmpty())
        return hitNothing;
    // Handles first: inside handles overlap the body.
    for (int h = hitTopLeft; h <= hitLeft; ++h)
        if (GetHandleRect(h).PtInRect(point))
            return h;
    return r.PtInRect(point) ? hitMiddle : hitNothing;
}

bool CRectTracker::SetCursor(CWnd* wnd, UINT) const {
    if (!wnd)
        return false;
    CursorId cursor = CursorId::Arrow;
    switch (HitTest(wnd->GetCursorPos())) {
    case hitTopLeft:
    case hitBottomRight:
        cursor = CursorId::SizeNWSE;
        break;
    case hitTopRight:
    case hitBottomLeft:
        cursor = CursorId::SizeNESW;
        break;
    case hitTop:
    case hitBottom:
        cursor = CursorId::SizeNS;
        break;
    case hitRight:
    case hitLeft:
        cursor = CursorId::SizeWE;
        break;
    case hitMiddle:
        cursor = CursorId::SizeAll;
        break;
    default:
        return false;
    }
    wnd->SetCursor(cursor);
    return true;
}

namespace {

// The modal loop of both drags: the outline for each mouse position is drawn in XOR and
// erased again. The release point, or nothing when the drag was cancelled.
std::optional<CPoint> dragOutline(CWnd* wnd, const std::function<CRect(CPoint)>& outlineAt) {
    CDC& dc = wnd->GetOverlayDC();
    bool shown = false;
    CRect drawn;
    auto follow = [&](CPoint to) {
        const CRect r = outlineAt(to);
        if (shown && drawn == r)
            return;
        if (shown)
            drawOutline(dc, drawn);
        drawOutline(dc, r);
        drawn = r;
        shown = true;
    };
    auto finish = [&] {
        if (shown)
            drawOutline(dc, drawn);
        wnd->ReleaseCapture();
    };

    wnd->SetCapture();
    wnd->UpdateWindow();
    for (;;) {
        const MouseEvent e = wnd->NextMouseEvent();
        switch (e.kind) {
        case MouseEvent::Move:
            follow(e.point);
            break;
        case MouseEvent::LButtonUp:
            follow(e.point);
            finish();
            return e.point;
        case MouseEvent::Escape:
        case MouseEvent::CaptureLost:
            finish();
            return std::nullopt;
        }
    }
}

} // namespace

bool CRectTracker::Track(CWnd* wnd, CPoint point) {
    if (!wnd)
        return false;
    const int handle = HitTest(point);
    if (handle == hitNothing)
        return false;
    const CRect original = m_rect;
    const CRect start = normalised(m_rect);
    const bool released = dragOutline(wnd, [&](CPoint to) {
                              CRect r = dragged(start, handle, to - point);
                              AdjustRect(handle, &r);
                              m_rect = r;
                              return r;
                          }).has_value();
    const bool changed = released && m_rect != start;
    if (!changed)
        m_rect = original;
    return changed;
}

bool CRectTracker::TrackRubberBand(CWnd* wnd, CPoint point, bool allowInvert) {
    if (!wnd)
        return false;
    const std::optional<CPoint> end =
        dragOutline(wnd, [&](CPoint to) { return normalised(CRect(point, to)); });
    if (!end)
        return false;
    const CRect spanned(point, *end);
    m_rect = allowInvert ? spanned : normalised(spanned);
    return *end != point;
}
