#pragma once
// A set of pixels for hit testing: a union of polygons (non-zero winding) and rectangles.
// Union appends; a point is inside when any part holds it.

#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <vector>

class KELMORA_API CRgn {
public:
    CRgn() = default;
    static CRgn rect(const CRect& r);
    static CRgn polygon(std::vector<CPoint> points);

    bool isEmpty() const;
    // Inside: left/top edges in, right/bottom edges out, as for rectangles.
    bool PtInRegion(CPoint p) const;
    // Smallest rectangle holding every part; all zero for an empty region.
    CRect GetRgnBox() const;

    // Adds every part of other to this region.
    void unite(const CRgn& other);
    void offset(CSize by);

private:
    std::vector<CRect> rects_;
    std::vector<std::vector<CPoint>> polygons_;
};
