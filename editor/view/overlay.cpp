#include "editor/view/overlay.h"

#include "editor/platform/qt_convert.h"
#include "editor/platform/qt_dc.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <utility>

void Overlay::paint(CDC& dc) const {
    for (const Item& it : items)
        paintItem(dc, it);
}

void Overlay::clear() {
    std::vector<Item> old;
    old.swap(items);
    if (onChange)
        for (const Item& it : old)
            onChange(bounds(it));
}

Pen Overlay::SelectPen(const Pen& p) {
    return std::exchange(pen, p);
}
Brush Overlay::SelectBrush(const Brush& b) {
    return std::exchange(brush, b);
}
Font Overlay::SelectFont(const Font& f) {
    return std::exchange(font, f);
}
COLORREF Overlay::SetTextColor(COLORREF color) {
    return std::exchange(textColor, color);
}
BkMode Overlay::SetBkMode(BkMode mode) {
    return std::exchange(bkMode, mode);
}
RasterOp Overlay::SetROP2(RasterOp op) {
    return std::exchange(rop, op);
}

void Overlay::MoveTo(CPoint p) {
    position = p;
}

void Overlay::LineTo(CPoint p) {
    Polyline({position, p});
    position = p;
}

void Overlay::Polyline(const std::vector<CPoint>& points) {
    if (points.size() < 2)
        return; // draws nothing
    Item it = item(Kind::Lines);
    it.points = points;
    toggle(std::move(it));
}

void Overlay::Polygon(const std::vector<CPoint>& points) {
    if (points.size() < 2)
        return;
    Item it = item(Kind::Polygon);
    it.points = points;
    toggle(std::move(it));
}

void Overlay::Rectangle(const CRect& r) {
    Item it = item(Kind::Rectangle);
    it.rect = r;
    toggle(std::move(it));
}

void Overlay::RoundRect(const CRect& r, CPoint ellipse) {
    Item it = item(Kind::RoundRect);
    it.rect = r;
    it.points = {ellipse};
    toggle(std::move(it));
}

void Overlay::Ellipse(const CRect& r) {
    Item it = item(Kind::Ellipse);
    it.rect = r;
    toggle(std::move(it));
}

void Overlay::Arc(const CRect& r, CPoint start, CPoint end) {
    Item it = item(Kind::Arc);
    it.rect = r;
    it.points = {start, end};
    toggle(std::move(it));
}

void Overlay::FillRect(const CRect& r, const Brush& b) {
    Item it = item(Kind::FillRect);
    it.rect = r;
    it.fill = b;
    toggle(std::move(it));
}

void Overlay::FrameRect(const CRect& r, const Brush& b) {
    Item it = item(Kind::FrameRect);
    it.rect = r;
    it.fill = b;
    toggle(std::move(it));
}

int Overlay::DrawText(const std::string& text, CRect& r, unsigned flags) {
    if (flags & DT_CALCRECT) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        QtDC measure(painter, fontScale);
        measure.SelectFont(font);
        return measure.DrawText(text, r, flags);
    }
    Item it = item(Kind::Text);
    it.rect = r;
    it.text = text;
    it.flags = flags;
    toggle(std::move(it));
    return 0;
}

void Overlay::DrawAnchor(CPoint p) {
    Item it = item(Kind::Anchor);
    it.rect = CRect(p, CSize(5, 5));
    toggle(std::move(it));
}

Overlay::Item Overlay::item(Kind kind) const {
    Item it;
    it.kind = kind;
    it.pen = pen;
    it.brush = brush;
    it.font = font;
    it.textColor = textColor;
    it.bkMode = bkMode;
    it.rop = rop;
    return it;
}

void Overlay::toggle(Item it) {
    const CRect changed = bounds(it);
    auto same = std::find(items.begin(), items.end(), it);
    if (same != items.end())
        items.erase(same);
    else
        items.push_back(std::move(it));
    if (onChange)
        onChange(changed);
}

CRect Overlay::bounds(const Item& it) {
    const bool points = it.kind == Kind::Lines || it.kind == Kind::Polygon;
    CRect r = points ? pointBounds(it.points) : it.rect;
    r.NormalizeRect();
    const LONG margin = it.pen.width + 2;
    r.InflateRect(margin, margin);
    return r;
}

void Overlay::paintItem(CDC& dc, const Item& it) {
    dc.SelectPen(it.pen);
    dc.SelectBrush(it.brush);
    dc.SelectFont(it.font);
    dc.SetTextColor(it.textColor);
    dc.SetBkMode(it.bkMode);
    dc.SetROP2(it.rop);
    CRect r = it.rect;
    switch (it.kind) {
    case Kind::Lines:
        dc.Polyline(it.points);
        break;
    case Kind::Polygon:
        dc.Polygon(it.points);
        break;
    case Kind::Rectangle:
        dc.Rectangle(r);
        break;
    case Kind::RoundRect:
        dc.RoundRect(r, it.points.front());
        break;
    case Kind::Ellipse:
        dc.Ellipse(r);
        break;
    case Kind::Arc:
        dc.Arc(r, it.points[0], it.points[1]);
        break;
    case Kind::FillRect:
        dc.FillRect(r, it.fill);
        break;
    case Kind::FrameRect:
        dc.FrameRect(r, it.fill);
        break;
    case Kind::Text:
        dc.DrawText(it.text, r, it.flags);
        break;
    case Kind::Anchor:
        dc.DrawAnchor(r.TopLeft());
        break;
    }
}
