#include "model/anchor_marker.h"

#include "model/drawing_resources.h"
#include "model/view_services.h"

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
    xorRectangle(view ? view->getWindow() : nullptr, r, DrawingResources::instance().markerPen);
}
