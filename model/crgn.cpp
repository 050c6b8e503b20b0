#include "model/crgn.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

// Doubled coordinates keep pixel centres integral; the products of their differences need
// more than 64 bits at the ends of the 32-bit range.
__extension__ typedef __int128 Wide;

struct Doubled {
    std::int64_t x;
    std::int64_t y;
};

Doubled corner(CPoint p) {
    return {2 * std::int64_t{p.x}, 2 * std::int64_t{p.y}};
}
Doubled centre(CPoint pixel) {
    return {2 * std::int64_t{pixel.x} + 1, 2 * std::int64_t{pixel.y} + 1};
}

// Cross product of a->b and a->c; winding() needs only its sign.
Wide side(Doubled a, Doubled b, Doubled c) {
    return Wide{b.x - a.x} * (c.y - a.y) - Wide{c.x - a.x} * (b.y - a.y);
}

// Non-zero winding number at the centre of a pixel. Centres have odd doubled coordinates and
// corners even ones, so a centre is never level with a vertex. A centre exactly on a slanted
// edge counts as lying just right of it: polygons sharing an edge then neither both claim
// nor both drop the pixels along it.
int winding(const std::vector<CPoint>& poly, CPoint pixel) {
    const Doubled c = centre(pixel);
    int wn = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Doubled a = corner(poly[i]);
        const Doubled b = corner(poly[(i + 1) % poly.size()]);
        if (a.y < c.y) {
            if (b.y > c.y && side(a, b, c) > 0)
                ++wn;
        } else if (b.y < c.y && side(a, b, c) < 0) {
            --wn;
        }
    }
    return wn;
}

Wide ceilDiv(Wide num, Wide den) { // den > 0
    Wide q = num / den;
    if (num % den != 0 && num > 0)
        ++q;
    return q;
}

// Along one pixel row the winding changes only where an edge crosses it, so the first pixel
// at or right of each crossing is the only place a covered run can start.
bool coversAnyPixel(const std::vector<CPoint>& poly) {
    if (poly.size() < 3)
        return false;
    const auto [lo, hi] =
        std::minmax_element(poly.begin(), poly.end(), [](CPoint p, CPoint q) { return p.y < q.y; });
    for (std::int64_t y = lo->y; y < hi->y; ++y) {
        const std::int64_t cy = 2 * y + 1;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const Doubled a = corner(poly[i]);
            const Doubled b = corner(poly[(i + 1) % poly.size()]);
            if ((a.y < cy) == (b.y < cy))
                continue;
            // Crossing at X = a.x + (cy - a.y)(b.x - a.x) / (b.y - a.y); want the least px with
            // 2 px + 1 >= X.
            Wide num = Wide{a.x - 1} * (b.y - a.y) + Wide{cy - a.y} * (b.x - a.x);
            Wide den = 2 * Wide{b.y - a.y};
            if (den < 0) {
                num = -num;
                den = -den;
            }
            const auto px = static_cast<LONG>(ceilDiv(num, den));
            if (winding(poly, CPoint(px, static_cast<LONG>(y))) != 0)
                return true;
        }
    }
    return false;
}

} // namespace

// Parts that cover no pixel are dropped on creation, so emptiness and the box need no
// pixel search later.
CRgn CRgn::rect(const CRect& r) {
    CRgn rgn;
    if (!r.IsRectEmpty())
        rgn.rects_.push_back(r);
    return rgn;
}

CRgn CRgn::polygon(std::vector<CPoint> points) {
    CRgn rgn;
    if (coversAnyPixel(points))
        rgn.polygons_.push_back(std::move(points));
    return rgn;
}

bool CRgn::isEmpty() const {
    return rects_.empty() && polygons_.empty();
}

bool CRgn::PtInRegion(CPoint p) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [p](const CRect& r) { return r.PtInRect(p); }) ||
           std::any_of(polygons_.begin(), polygons_.end(),
                       [p](const std::vector<CPoint>& poly) { return winding(poly, p) != 0; });
}

// A polygon contributes the box of its vertices with the largest coordinates as right and
// bottom: no pixel centre can lie beyond them, so they are exclusive like a rectangle's.
CRect CRgn::GetRgnBox() const {
    CRect box;
    for (const CRect& r : rects_)
        box.UnionRect(box, r);
    for (const auto& poly : polygons_) {
        const auto [minX, maxX] = std::minmax_element(poly.begin(), poly.end(),
                                                      [](CPoint p, CPoint q) { return p.x < q.x; });
        const auto [minY, maxY] = std::minmax_element(poly.begin(), poly.end(),
                                                      [](CPoint p, CPoint q) { return p.y < q.y; });
        box.UnionRect(box, CRect(minX->x, minY->y, maxX->x, maxY->y));
    }
    return box;
}

void CRgn::unite(const CRgn& other) {
    if (&other == this) {
        // Inserting a vector's own range into it is undefined.
        const CRgn copy = other;
        unite(copy);
        return;
    }
    rects_.insert(rects_.end(), other.rects_.begin(), other.rects_.end());
    polygons_.insert(polygons_.end(), other.polygons_.begin(), other.polygons_.end());
}

void CRgn::offset(CSize by) {
    for (CRect& r : rects_)
        r.OffsetRect(by);
    for (auto& poly : polygons_)
        for (CPoint& p : poly)
            p += by;
}
