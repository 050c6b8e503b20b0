#pragma once
// A device context that keeps the lines, arcs and pens drawn on it so they can be replayed
// later at an offset: the drag outline of a shape, drawn in XOR while the selection moves.

#include "platform/cdc.h"

#include <functional>
#include <vector>

class RecordedDrawing : public CDC {
public:
    // Draws everything recorded on dc, displaced by offset pixels.
    void replay(CDC& dc, CSize offset) const;
    bool isEmpty() const { return ops.empty(); }

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
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
    void FillRect(const CRect& r, const Brush& brush) override;
    void FrameRect(const CRect& r, const Brush& brush) override;
    int DrawText(const std::string& text, CRect& r, unsigned flags) override;
    void DrawAnchor(CPoint p) override;

private:
    using Op = std::function<void(CDC&, CSize)>;
    void add(Op op) { ops.push_back(std::move(op)); }

    std::vector<Op> ops;
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = 0;
    BkMode bkMode = BkMode::Opaque;
    RasterOp rop = RasterOp::CopyPen;
};
