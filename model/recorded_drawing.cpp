#include "model/recorded_drawing.h"

#include <utility>

namespace {
CRect shifted(CRect r, CSize by) {
    r.OffsetRect(by);
    return r;
}
std::vector<CPoint> shifted(std::vector<CPoint> points, CSize by) {
    for (CPoint& p : points)
        p += by;
    return points;
}
} // namespace

void RecordedDrawing::replay(CDC& dc, CSize offset) const {
    // The recording restores the pens it selected; the raster mode is the caller's.
    for (const Op& op : ops)
        op(dc, offset);
}

Pen RecordedDrawing::SelectPen(const Pen& p) {
    add([p](CDC& dc, CSize) { dc.SelectPen(p); });
    return std::exchange(pen, p);
}

Brush RecordedDrawing::SelectBrush(const Brush& b) {
    add([b](CDC& dc, CSize) { dc.SelectBrush(b); });
    return std::exchange(brush, b);
}

Font RecordedDrawing::SelectFont(const Font& f) {
    add([f](CDC& dc, CSize) { dc.SelectFont(f); });
    return std::exchange(font, f);
}

COLORREF RecordedDrawing::SetTextColor(COLORREF c) {
    add([c](CDC& dc, CSize) { dc.SetTextColor(c); });
    return std::exchange(textColor, c);
}

BkMode RecordedDrawing::SetBkMode(BkMode m) {
    add([m](CDC& dc, CSize) { dc.SetBkMode(m); });
    return std::exchange(bkMode, m);
}

// The raster mode belongs to whoever replays the drawing.
RasterOp RecordedDrawing::SetROP2(RasterOp op) {
    return std::exchange(rop, op);
}

void RecordedDrawing::MoveTo(CPoint p) {
    add([p](CDC& dc, CSize by) { dc.MoveTo(p + by); });
}

void RecordedDrawing::LineTo(CPoint p) {
    add([p](CDC& dc, CSize by) { dc.LineTo(p + by); });
}

void RecordedDrawing::Polyline(const std::vector<CPoint>& points) {
    add([points](CDC& dc, CSize by) { dc.Polyline(shifted(points, by)); });
}

void RecordedDrawing::Polygon(const std::vector<CPoint>& points) {
    add([points](CDC& dc, CSize by) { dc.Polygon(shifted(points, by)); });
}

void RecordedDrawing::Rectangle(const CRect& r) {
    add([r](CDC& dc, CSize by) { dc.Rectangle(shifted(r, by)); });
}

void RecordedDrawing::RoundRect(const CRect& r, CPoint ellipse) {
    add([r, ellipse](CDC& dc, CSize by) { dc.RoundRect(shifted(r, by), ellipse); });
}

void RecordedDrawing::Ellipse(const CRect& r) {
    add([r](CDC& dc, CSize by) { dc.Ellipse(shifted(r, by)); });
}

void RecordedDrawing::Arc(const CRect& r, CPoint s, CPoint e) {
    add([r, s, e](CDC& dc, CSize by) { dc.Arc(shifted(r, by), s + by, e + by); });
}

void RecordedDrawing::FillRect(const CRect& r, const Brush& b) {
    add([r, b](CDC& dc, CSize by) { dc.FillRect(shifted(r, by), b); });
}

void RecordedDrawing::FrameRect(const CRect& r, const Brush& b) {
    add([r, b](CDC& dc, CSize by) { dc.FrameRect(shifted(r, by), b); });
}

int RecordedDrawing::DrawText(const std::string& text, CRect& r, unsigned flags) {
    if (flags & DT_CALCRECT)
        return 0;
    const CRect at = r;
    add([text, at, flags](CDC& dc, CSize by) {
        CRect moved = shifted(at, by);
        dc.DrawText(text, moved, flags);
    });
    return 0;
}

void RecordedDrawing::DrawAnchor(CPoint p) {
    add([p](CDC& dc, CSize by) { dc.DrawAnchor(p + by); });
}
