#pragma once
// A device context that records every call as one line of text, for tests that check what a
// shape draws ("LineTo 10 20", "Pen Solid 0 0x00ff8000", ...).

#include "platform/cdc.h"

#include <string>
#include <vector>

class RecordingDC : public CDC {
public:
    std::vector<std::string> calls;
    // DrawText measures every line as this many pixels high.
    int lineHeight = 10;

    // Lines that start with prefix, in order.
    std::vector<std::string> matching(const std::string& prefix) const;
    int count(const std::string& prefix) const;
    void clear() { calls.clear(); }

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

    static std::string describe(const Pen& pen);
    static std::string describe(const Brush& brush);
    static std::string describe(const CRect& r);
    static std::string describe(CPoint p);

private:
    Pen pen_;
    Brush brush_;
    Font font_;
    COLORREF textColor_ = 0;
    BkMode bkMode_ = BkMode::Opaque;
    RasterOp rop_ = RasterOp::CopyPen;
};
