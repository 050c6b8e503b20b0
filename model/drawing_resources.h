#pragma once
// The pens, brushes and cursors that every shape, view and tracker shares, as values: one set
// per process, created on first use.

#include "platform/cwnd.h"
#include "platform/gdi.h"

class DrawingResources {
public:
    static const DrawingResources& instance();

    const Brush hollowBrush = Brush::hollow();
    const Brush blackBrush = Brush::solid(RGB(0, 0, 0));
    const Brush nodeBrush = Brush::solid(RGB(192, 192, 192));
    const Brush frameBrush = Brush::solid(RGB(0, 192, 0));
    const Pen markerPen{PenStyle::Solid, 1, RGB(255, 0, 0)};
    const Pen transitionPen{PenStyle::Solid, 0, RGB(0, 128, 255)};
    const Pen openTransitionPen{PenStyle::DashDotDot, 0, RGB(255, 0, 0)};
    const Pen transitionPrintPen{PenStyle::Solid, 0, RGB(0, 0, 0)};
    const Pen openTransitionPrintPen{PenStyle::DashDotDot, 0, RGB(0, 0, 0)};
    const Pen dragPen{PenStyle::Dot, 0, RGB(64, 64, 64)};
    const Pen gridPen{PenStyle::Dot, 0, RGB(240, 240, 240)};
    const CursorId arrowCursor = CursorId::Arrow;
    const CursorId westEastCursor = CursorId::SizeWE;
    const CursorId northSouthCursor = CursorId::SizeNS;
    const CursorId cursor145 = CursorId::LineEnd;
    const CursorId cursor146 = CursorId::LineBody;
    const CursorId cursor154 = CursorId::Connector;
    const CursorId cursor155 = CursorId::TransitionEnd;

private:
    DrawingResources() = default;
};

inline const DrawingResources& DrawingResources::instance() {
    static const DrawingResources resources;
    return resources;
}

// Feedback outside painting: an outline in XOR on the window's overlay, so drawing it again
// removes it. Nothing without a window.
inline void xorRectangle(CWnd* wnd, const CRect& r, const Pen& pen) {
    if (!wnd)
        return;
    CDC& dc = wnd->GetOverlayDC();
    const RasterOp oldRop = dc.SetROP2(RasterOp::NotXorPen);
    const Pen oldPen = dc.SelectPen(pen);
    const Brush oldBrush = dc.SelectBrush(DrawingResources::instance().hollowBrush);
    dc.Rectangle(r);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetROP2(oldRop);
}
