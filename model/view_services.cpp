#include "model/view_services.h"

#include "model/connectable.h"
#include "model/util.h"
#include "platform/cwnd.h"

namespace {
template <class F> CPoint each(CPoint p, F f) {
    return {static_cast<LONG>(f(long{p.x})), static_cast<LONG>(f(long{p.y}))};
}
template <class F> CSize each(CSize s, F f) {
    return {static_cast<LONG>(f(long{s.cx})), static_cast<LONG>(f(long{s.cy}))};
}
template <class F> CRect each(const CRect& r, F f) {
    return {each(r.TopLeft(), f), each(r.BottomRight(), f)};
}
} // namespace

long ViewServices::uFp(long pixels) const {
    return Util::round(static_cast<double>(pixels) / zoom);
}

CPoint ViewServices::uFp(CPoint p) const {
    return each(p, [this](long v) { return uFp(v); });
}
CSize ViewServices::uFp(CSize s) const {
    return each(s, [this](long v) { return uFp(v); });
}
CRect ViewServices::uFp(const CRect& r) const {
    return each(r, [this](long v) { return uFp(v); });
}
CPoint ViewServices::zpFu(CPoint p) const {
    return each(p, [this](long v) { return zpFu(v); });
}
CSize ViewServices::zpFu(CSize s) const {
    return each(s, [this](long v) { return zpFu(v); });
}
CRect ViewServices::zpFu(const CRect& r) const {
    return each(r, [this](long v) { return zpFu(v); });
}
CPoint ViewServices::pFu(CPoint p) {
    return each(p, [](long v) { return pFu(v); });
}
CSize ViewServices::pFu(CSize s) {
    return each(s, [](long v) { return pFu(v); });
}
CRect ViewServices::pFu(const CRect& r) {
    return each(r, [](long v) { return pFu(v); });
}

CPoint ViewServices::getClientPos(CPoint units) const {
    return units - toSize(uFp(scroll));
}

CRect ViewServices::getClientPos(const CRect& units) const {
    CRect r = units;
    r.OffsetRect(-toSize(uFp(scroll)));
    return r;
}

CPoint ViewServices::getAbsolutePos(CPoint units) const {
    return units + toSize(uFp(scroll));
}

CRect ViewServices::getAbsolutePos(const CRect& units) const {
    CRect r = units;
    r.OffsetRect(toSize(uFp(scroll)));
    return r;
}

CRect ViewServices::getClientPointPos(const CRect& pixels) const {
    CRect r = pixels;
    r.OffsetRect(-scroll.x, -scroll.y);
    return r;
}

CPoint ViewServices::getAbsolutePointPos(CPoint pixels) const {
    return pixels + toSize(scroll);
}

CPoint ViewServices::anchorPixel(const CPoint& units, const NODE& node) const {
    CPoint p = zpFu(getClientPos(units));
    if (node.side == 2)
        p.x -= 2;
    else if (node.side == 3)
        p.y -= 2;
    return p;
}

void ViewServices::repaint(const CRect& r) {
    if (CWnd* wnd = getWindow())
        wnd->Invalidate(r);
}

void ViewServices::repaint(const CRect& a, const CRect& b) {
    repaint(a);
    repaint(b);
}

Shape* ViewServices::getShapeAtPoint(const CPoint&) const {
    return nullptr;
}
Shape* ViewServices::getShapeNearPoint(const CPoint&, int) const {
    return nullptr;
}
Shape* ViewServices::createNewMesg(CPoint&, Transition*) {
    return nullptr;
}
void ViewServices::sendToFront(Shape*) {}
void ViewServices::sendToBack(Shape*) {}
void ViewServices::refreshObjectEntry(Shape*) {}
