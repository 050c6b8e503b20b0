#include "model/rect_tracker.h"

#include "model/rect_shape.h"

RectTracker::RectTracker(RectShape* shape) : CRectTracker(CRect(), resizeInside), owner(shape) {
    m_nHandleSize = 6;
}

void RectTracker::AdjustRect(int handle, RECT* rect) {
    if (owner)
        owner->adjustRect(handle, rect);
}

UINT RectTracker::GetHandleMask() const {
    return owner ? owner->getHandleMask() : 255u;
}
