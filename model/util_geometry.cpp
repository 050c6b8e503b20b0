#include "model/util.h"

#include <cmath>

long Util::round(double v) {
    const double s = v < 0.0 ? -1.0 : 1.0;
    return static_cast<long>(v + s * 0.5);
}

std::unique_ptr<CRgn> Util::createRgn(CPoint p1, CPoint p2, double w) {
    // A zero-length segment has no direction to build a band across.
    if (p1 == p2)
        return std::make_unique<CRgn>();
    const double dx = static_cast<double>(p1.x) - p2.x;
    const double dy = static_cast<double>(p1.y) - p2.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const auto a = static_cast<LONG>(round(dy / len * w));
    const auto b = static_cast<LONG>(round(dx / len * w));
    return std::make_unique<CRgn>(CRgn::polygon({
        {p1.x + a, p1.y - b},
        {p2.x + a, p2.y - b},
        {p2.x - a, p2.y + b},
        {p1.x - a, p1.y + b},
        {p1.x + a, p1.y - b},
    }));
}

std::unique_ptr<CRgn> Util::createRectRgn(CPoint p1, CPoint p2, short w) {
    CRect r(p1, p2);
    r.NormalizeRect();
    r.InflateRect(w, w);
    return std::make_unique<CRgn>(CRgn::rect(r));
}

std::unique_ptr<CRgn> Util::createRectRgnFlat(CPoint p1, CPoint p2, short w) {
    CRect r(p1, p2);
    r.NormalizeRect();
    if (p1.x == p2.x)
        r.InflateRect(w, 0);
    else if (p1.y == p2.y)
        r.InflateRect(0, w);
    return std::make_unique<CRgn>(CRgn::rect(r));
}

std::unique_ptr<CRgn> Util::createTriangleRgn(CPoint base, CPoint tip, short w) {
    CPoint a;
    CPoint b;
    createTrianglePoints(base, tip, w, a, b);
    return std::make_unique<CRgn>(CRgn::polygon({a, b, tip}));
}

void Util::createTrianglePoints(const CPoint& base, const CPoint& tip, short w, CPoint& a,
                                CPoint& b) {
    a = base;
    b = base;
    if (base.y == tip.y) {
        a.y -= w;
        b.y += w;
    } else {
        a.x -= w;
        b.x += w;
    }
}

CPoint Util::getIncrimentedPoint(const CPoint& p, unsigned short direction) {
    switch (direction) {
    case 1:
        return {p.x, p.y - 1};
    case 2:
        return {p.x + 1, p.y};
    case 3:
        return {p.x, p.y + 1};
    case 4:
        return {p.x - 1, p.y};
    default:
        return p;
    }
}

CPoint Util::ptMin(const CPoint& a, const CPoint& b) {
    if (a.x == b.x)
        return a.y > b.y ? b : a;
    if (a.y == b.y)
        return a.x > b.x ? b : a;
    return a;
}

CPoint Util::ptMax(const CPoint& a, const CPoint& b) {
    if (a.x == b.x)
        return a.y > b.y ? a : b;
    if (a.y == b.y)
        return a.x > b.x ? a : b;
    return b;
}

bool Util::isCrossing(const CPoint& p1, const CPoint& p2, const CPoint& q1, const CPoint& q2,
                      CPoint& at) {
    const CPoint pMin = ptMin(p1, p2);
    const CPoint pMax = ptMax(p1, p2);
    const CPoint qMin = ptMin(q1, q2);
    const CPoint qMax = ptMax(q1, q2);
    // P vertical, Q horizontal.
    if (qMin.x <= pMin.x && pMin.x <= qMax.x && pMin.y <= qMin.y && qMin.y <= pMax.y) {
        at = CPoint(pMin.x, qMin.y);
        return true;
    }
    // Q vertical, P horizontal.
    if (pMin.x <= qMin.x && qMin.x <= pMax.x && qMin.y <= pMin.y && pMin.y <= qMax.y) {
        at = CPoint(qMin.x, pMin.y);
        return true;
    }
    return false;
}

unsigned long Util::MAKEDWORD(const CPoint& p) {
    const auto lo = static_cast<unsigned long>(static_cast<std::uint16_t>(p.x));
    const auto hi = static_cast<unsigned long>(static_cast<std::uint16_t>(p.y));
    return lo | (hi << 16);
}
