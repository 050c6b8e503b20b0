#include "model/anchor_marker.h"

#include "model/drawing_resources.h"
#include "model/view_services.h"
#include "platform/cwnd.h"

void AnchorMarker::show(ViewServices* view, const CPoint& pixel) {
    const CRect next(pixel.x - 6, pixel.y - 6, pixel.x + 6, pixel.y + 6);
    if (next == square)
        return;
    hide(view);
    square = next;
    draw(view, square);
}

void AnchorMarker::hide(ViewServices* view) {
    if (square.IsRectEmpty())
        return;
    draw(view, square);
    square = CRect();
}

void AnchorMarker::draw(ViewServices* view, const CRect& r) {
    CWnd* wnd = view ? view->getWindow() : nullptr;
    if (!wnd)
        return;
    CDC& dc = wnd->GetOverlayDC();
    const DrawingResources& res = DrawingResources::instance();
    const RasterOp oldOp = dc.SetROP2(RasterOp::NotXorPen);
    const Pen oldPen = dc.SelectPen(res.markerPen);
    const Brush oldBrush = dc.SelectBrush(res.hollowBrush);
    dc.Rectangle(r);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.SetROP2(oldOp);
}
