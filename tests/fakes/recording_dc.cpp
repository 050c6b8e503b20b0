#include "tests/fakes/recording_dc.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const char* styleName(PenStyle s) {
    switch (s) {
    case PenStyle::Solid:
        return "Solid";
    case PenStyle::Dash:
        return "Dash";
    case PenStyle::Dot:
        return "Dot";
    case PenStyle::DashDot:
        return "DashDot";
    case PenStyle::DashDotDot:
        return "DashDotDot";
    case PenStyle::Null:
        return "Null";
    }
    return "?";
}

std::string hex(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06x", static_cast<unsigned>(c));
    return buf;
}

std::string points(const std::vector<CPoint>& pts) {
    std::string s;
    for (const CPoint& p : pts)
        s += " " + RecordingDC::describe(p);
    return s;
}

} // namespace

std::string RecordingDC::describe(const Pen& pen) {
    return std::string(styleName(pen.style)) + " " + std::to_string(pen.width) + " " +
           hex(pen.color);
}

std::string RecordingDC::describe(const Brush& brush) {
    return brush.style == BrushStyle::Hollow ? "Hollow" : "Solid " + hex(brush.color);
}

std::string RecordingDC::describe(const CRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom);
}

std::string RecordingDC::describe(CPoint p) {
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

std::vector<std::string> RecordingDC::matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0)
            out.push_back(c);
    return out;
}

int RecordingDC::count(const std::string& prefix) const {
    return static_cast<int>(matching(prefix).size());
}

Pen RecordingDC::SelectPen(const Pen& pen) {
    calls.push_back("Pen " + describe(pen));
    return std::exchange(pen_, pen);
}

Brush RecordingDC::SelectBrush(const Brush& brush) {
    calls.push_back("Brush " + describe(brush));
    return std::exchange(brush_, brush);
}

Font RecordingDC::SelectFont(const Font& font) {
    calls.push_back("Font " + font.face + " " + std::to_string(font.sizeTenths));
    return std::exchange(font_, font);
}

COLORREF RecordingDC::SetTextColor(COLORREF color) {
    calls.push_back("TextColor " + hex(color));
    return std::exchange(textColor_, color);
}

BkMode RecordingDC::SetBkMode(BkMode mode) {
    calls.push_back(mode == BkMode::Transparent ? "BkMode Transparent" : "BkMode Opaque");
    return std::exchange(bkMode_, mode);
}

RasterOp RecordingDC::SetROP2(RasterOp op) {
    calls.push_back(op == RasterOp::CopyPen  ? "ROP CopyPen"
                    : op == RasterOp::XorPen ? "ROP XorPen"
                                             : "ROP NotXorPen");
    return std::exchange(rop_, op);
}

void RecordingDC::MoveTo(CPoint p) { calls.push_back("MoveTo " + describe(p)); }
void RecordingDC::LineTo(CPoint p) { calls.push_back("LineTo " + describe(p)); }
void RecordingDC::Polyline(const std::vector<CPoint>& pts) {
    calls.push_back("Polyline" + points(pts));
}
void RecordingDC::Polygon(const std::vector<CPoint>& pts) { calls.push_back("Polygon" + points(pts)); }
void RecordingDC::Rectangle(const CRect& r) { calls.push_back("Rectangle " + describe(r)); }
void RecordingDC::RoundRect(const CRect& r, CPoint e) {
    calls.push_back("RoundRect " + describe(r) + " " + describe(e));
}
void RecordingDC::Ellipse(const CRect& r) { calls.push_back("Ellipse " + describe(r)); }
void RecordingDC::Arc(const CRect& r, CPoint s, CPoint e) {
    calls.push_back("Arc " + describe(r) + " " + describe(s) + " " + describe(e));
}
void RecordingDC::FillRect(const CRect& r, const Brush& b) {
    calls.push_back("FillRect " + describe(r) + " " + describe(b));
}
void RecordingDC::FrameRect(const CRect& r, const Brush& b) {
    calls.push_back("FrameRect " + describe(r) + " " + describe(b));
}

int RecordingDC::DrawText(const std::string& text, CRect& r, unsigned flags) {
    int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    int height = lines * lineHeight;
    if (flags & DT_CALCRECT) {
        r.bottom = r.top + height;
        calls.push_back("MeasureText " + text);
    } else {
        calls.push_back("DrawText " + describe(r) + " " + text);
    }
    return height;
}

void RecordingDC::DrawAnchor(CPoint p) { calls.push_back("Anchor " + describe(p)); }
