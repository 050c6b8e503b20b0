#pragma once
// The device context shapes draw on, painted with a QPainter: the chart view's viewport,
// printer pages and export images. Drawing is aliased, as the shapes' one-pixel geometry
// expects; logical coordinates are whatever the painter's transform makes them.

#include "platform/cdc.h"

#include <QFont>

class QPainter;

class QtDC : public CDC {
public:
    // fontScale multiplies font sizes so text scales with the drawing: zoom / 6 on screen,
    // 1 when printing or exporting.
    QtDC(QPainter& painter, double fontScale);

    // Primitives wholly outside this area (logical coordinates) are skipped: a window paints
    // only what it shows. Unset, everything is drawn.
    void setVisibleArea(const CRect& area) {
        visible = area;
        culling = true;
    }

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
    // Lines end at CR LF; DT_WORDBREAK also breaks between words that do not fit. Drawing
    // clips to r. With DT_CALCRECT, r keeps its top, becomes as wide as the widest line (kept
    // where it was, or centred on r with DT_CENTER, so it frames what drawing would paint) and
    // as high as the text.
    int DrawText(const std::string& text, CRect& r, unsigned flags) override;
    void DrawAnchor(CPoint p) override;

    // The font a Font value selects at a font scale.
    static QFont toQFont(const Font& font, double fontScale);

private:
    void applyPen();
    // Whether something within bounds (grown by the pen) can show.
    bool shows(CRect bounds) const;
    bool showsPoints(const std::vector<CPoint>& points) const;

    QPainter& painter;
    double fontScale;
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = 0;
    BkMode bkMode = BkMode::Opaque;
    RasterOp rop = RasterOp::CopyPen;
    CPoint position;
    CRect visible;
    bool culling = false;
};
