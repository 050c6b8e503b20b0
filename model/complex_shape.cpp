#include "model/complex_shape.h"

#include "model/view_services.h"

ComplexShape& ComplexShape::operator=(const ComplexShape& other) {
    Shape::operator=(other);
    // The old outline no longer fits; the derived class builds the new one.
    rgn.reset();
    return *this;
}

// In model units like every other shape's print area: the region itself is in the pixels of
// the last drawing.
void ComplexShape::getMaxPrintArea(long& x, long& y) {
    const CRect box = getBoundingRect();
    x = box.right;
    y = box.bottom;
}

bool ComplexShape::isClientPt(const CPoint& pt) const {
    const CRgn* now = currentRgn();
    return now && now->PtInRegion(pt);
}

bool ComplexShape::isNearPt(const CPoint& pt) const {
    return isClientPt(pt);
}

bool ComplexShape::isInRect(const CRect& r) const {
    const CRgn* now = currentRgn();
    if (!now)
        return false;
    const CRect band = mgr ? mgr->zpFu(mgr->getClientPos(r)) : r;
    const CRect box = now->GetRgnBox();
    return band.PtInRect(box.TopLeft()) && band.PtInRect(box.BottomRight());
}

CRect ComplexShape::getBoundingRect() {
    const CRgn* now = currentRgn();
    if (!now)
        return {};
    const CRect box = now->GetRgnBox();
    return mgr ? mgr->getAbsolutePos(mgr->uFp(box)) : box;
}

void ComplexShape::trackCallBack(CPoint&) {}

void ComplexShape::trackCallBack(CPoint& point, void* shape) {
    if (shape)
        static_cast<ComplexShape*>(shape)->trackCallBack(point);
}
