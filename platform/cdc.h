#pragma once
// The device context shapes draw on. The editor paints it with QPainter, the headless
// library with a null context, and tests record the calls.

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <string>
#include <vector>

enum class BkMode { Transparent, Opaque };

// Raster modes: XOR modes toggle pixels, so drawing the same feedback twice removes it.
enum class RasterOp { CopyPen, XorPen, NotXorPen };

// DrawText layout flags (combinable).
enum DrawTextFlags : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_WORDBREAK = 0x10,
    DT_CALCRECT = 0x400,
};

class KELMORA_API CDC {
public:
    virtual ~CDC() = default;

    // Each Select returns the previous selection so the caller can restore it.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Font SelectFont(const Font& font) = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual BkMode SetBkMode(BkMode mode) = 0;
    virtual RasterOp SetROP2(RasterOp op) = 0;

    virtual void MoveTo(CPoint p) = 0;
    virtual void LineTo(CPoint p) = 0;
    virtual void Polyline(const std::vector<CPoint>& points) = 0;
    virtual void Polygon(const std::vector<CPoint>& points) = 0;
    virtual void Rectangle(const CRect& r) = 0;
    virtual void RoundRect(const CRect& r, CPoint ellipse) = 0;
    virtual void Ellipse(const CRect& r) = 0;
    // Elliptic arc of the ellipse bounded by r, counter-clockwise from the ray through start
    // to the ray through end.
    virtual void Arc(const CRect& r, CPoint start, CPoint end) = 0;
    virtual void FillRect(const CRect& r, const Brush& brush) = 0;
    virtual void FrameRect(const CRect& r, const Brush& brush) = 0;
    // Draws (or with DT_CALCRECT only measures) text in r; returns the text height and, when
    // measuring, sets r to the text's extent.
    virtual int DrawText(const std::string& text, CRect& r, unsigned flags) = 0;
    // The 5-by-5 anchor image with its top-left at p, masked so that only its marks show,
    // painted with the selected brush.
    virtual void DrawAnchor(CPoint p) = 0;
};
