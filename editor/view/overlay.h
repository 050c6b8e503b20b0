#pragma once
// The chart window's XOR overlay: feedback drawn outside painting (tracker lines, drag
// outlines, markers) is kept as a list of primitives that the window paints last. Drawing a
// primitive equal to one already kept removes it again, as drawing twice in XOR does.

#include "platform/cdc.h"

#include <functional>
#include <vector>

class Overlay : public CDC {
public:
    // Told the client-pixel area that changed, so the window repaints it.
    std::function<void(const CRect&)> onChange;

    // Paints every kept primitive with the state it was drawn with.
    void paint(CDC& dc) const;
    bool isEmpty() const { return items.empty(); }
    std::size_t size() const { return items.size(); }
    void clear();
    // Text measuring runs at this font scale (the window's zoom / 6).
    void setFontScale(double scale) { fontScale = scale; }

    Pen SelectPen(const Pen& p) override;
    Brush SelectBrush(const Brush& b) override;
    Font SelectFont(const Font& f) override;
    COLORREF SetTextColor(COLORREF color) override;
    BkMode SetBkMode(BkMode mode) override;
    RasterOp SetROP2(RasterOp op) override;

    void MoveTo(CPoint p) override;
    void LineTo(CPoint p) override;
    void Polyline(const std::vector<CPoint>& points) override;
    void Polygon(const std::vector<CPoint>& points) override;
    void Rectangle(const CRect& r) override;
    void RoundRect(const CRect& r, CPoint ellipse) override;
    void Ellipse(const CRect& r) override;
    void Arc(const CRect& r, CPoint start, CPoint end) override;
    void FillRect(const CRect& r, const Brush& b) override;
    void FrameRect(const CRect& r, const Brush& b) override;
    int DrawText(const std::string& text, CRect& r, unsigned flags) override;
    void DrawAnchor(CPoint p) override;

private:
    enum class Kind {
        Lines,
        Polygon,
        Rectangle,
        RoundRect,
        Ellipse,
        Arc,
        FillRect,
        FrameRect,
        Text,
        Anchor
    };
    struct Item {
        Kind kind = Kind::Lines;
        std::vector<CPoint> points; // Lines, Polygon; Arc: start, end; RoundRect: ellipse
        CRect rect;
        Brush fill; // FillRect, FrameRect
        std::string text;
        unsigned flags = 0;
        Pen pen;
        Brush brush;
        Font font;
        COLORREF textColor = 0;
        BkMode bkMode = BkMode::Opaque;
        RasterOp rop = RasterOp::CopyPen;
        bool operator==(const Item&) const = default;
    };

    Item item(Kind kind) const;
    void toggle(Item it);
    static CRect bounds(const Item& it);
    static void paintItem(CDC& dc, const Item& it);

    std::vector<Item> items;
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = 0;
    BkMode bkMode = BkMode::Opaque;
    RasterOp rop = RasterOp::CopyPen;
    CPoint position;
    double fontScale = 1.0;
};
