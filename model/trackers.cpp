#include "model/trackers.h"

#include "model/drawing_resources.h"

namespace {
// Draws with the drag pen in XOR, so drawing the same feedback again removes it.
class XorScope {
public:
    explicit XorScope(CDC* dc) : dc_(dc) {
        oldRop_ = dc_->SetROP2(RasterOp::NotXorPen);
        oldPen_ = dc_->SelectPen(DrawingResources::instance().dragPen);
    }
    ~XorScope() {
        dc_->SelectPen(oldPen_);
        dc_->SetROP2(oldRop_);
    }
    XorScope(const XorScope&) = delete;
    XorScope& operator=(const XorScope&) = delete;

private:
    CDC* dc_;
    RasterOp oldRop_;
    Pen oldPen_;
};
} // namespace

bool BaseTracker::track(CWnd* view) {
    if (!view)
        return false;
    view->SetCapture();
    view->UpdateWindow();
    CDC* dc = &view->GetOverlayDC();
    for (;;) {
        const MouseEvent e = view->NextMouseEvent();
        switch (e.kind) {
        case MouseEvent::CaptureLost:
            // Someone else owns the mouse now; the feedback is left to the next repaint.
            view->ReleaseCapture();
            return false;
        case MouseEvent::Escape:
            view->ReleaseCapture();
            cancel(dc);
            return false;
        case MouseEvent::Move: {
            CPoint p = e.point;
            if (callback)
                callback(p, context);
            move(p, dc);
            break;
        }
        case MouseEvent::LButtonUp:
            view->ReleaseCapture();
            return finish(e.point, dc);
        }
    }
}

PointTracker::PointTracker(void* ctx, TrackCallback cb, bool line)
    : BaseTracker(ctx, cb), showLine(line) {}

void PointTracker::setStart(const CPoint& p) {
    start = current = p;
}

void PointTracker::drawLine(CDC* dc) {
    XorScope scope(dc);
    dc->MoveTo(start);
    dc->LineTo(current);
}

void PointTracker::move(const CPoint& to, CDC* dc) {
    if (!showLine || !dc) {
        current = to;
        return;
    }
    if (shown)
        drawLine(dc);
    current = to;
    drawLine(dc);
    shown = true;
}

bool PointTracker::finish(const CPoint&, CDC* dc) {
    // The result stays the last point the callback let through.
    cancel(dc);
    return true;
}

void PointTracker::cancel(CDC* dc) {
    if (shown && dc)
        drawLine(dc);
    shown = false;
}

LineTracker::LineTracker(void* ctx, TrackCallback cb) : BaseTracker(ctx, cb) {}

void LineTracker::setStart(const CPoint& first, const CPoint& second) {
    startFirst = curFirst = first;
    startSecond = curSecond = second;
}

void LineTracker::pointsFor(const CPoint& p, CPoint& first, CPoint& second) const {
    if (startFirst.x != startSecond.x) { // horizontal: moves up and down
        first = CPoint(startFirst.x, p.y);
        second = CPoint(startSecond.x, p.y);
    } else {
        first = CPoint(p.x, startFirst.y);
        second = CPoint(p.x, startSecond.y);
    }
}

void LineTracker::drawOutline(CDC* dc) {
    XorScope scope(dc);
    dc->Polyline({startFirst, curFirst, curSecond, startSecond});
}

void LineTracker::move(const CPoint& to, CDC* dc) {
    if (shown && dc)
        drawOutline(dc);
    pointsFor(to, curFirst, curSecond);
    if (dc) {
        drawOutline(dc);
        shown = true;
    }
}

bool LineTracker::finish(const CPoint& end, CDC* dc) {
    cancel(dc);
    pointsFor(end, curFirst, curSecond);
    return curFirst != startFirst || curSecond != startSecond;
}

void LineTracker::cancel(CDC* dc) {
    if (shown && dc)
        drawOutline(dc);
    shown = false;
}
