#include "model/link.h"

#include "model/transition.h"

#include <cstdlib>

// --- Link ---

bool Link::isDragPoint(const CPoint& pixel) {
    return getTrackRect().PtInRect(pixel);
}

void Link::offset(const CSize& by) {
    headPt += by;
    tailPt += by;
}

void Link::suicide() {
    if (head)
        head->tail = tail;
    if (tail)
        tail->head = head;
    delete this;
}

CRect Link::handleAt(const CPoint& c) {
    CRect r(c, c);
    r.InflateRect(cHandleSize, cHandleSize);
    r.left += 1;
    r.top += 1;
    return r;
}

void Link::join(Link* a, Link* b) {
    if (a)
        a->tail = b;
    if (b)
        b->head = a;
}

CPoint Link::pixel(const CPoint& units) const {
    return owner ? owner->getPixel(units) : units;
}

void Link::slide(Link* l, const CPoint& to) {
    const bool horizontal = l->type == eHLink;
    if (horizontal ? l->headPt.y == to.y : l->headPt.x == to.x)
        return;
    if (horizontal)
        l->headPt.y = l->tailPt.y = to.y;
    else
        l->headPt.x = l->tailPt.x = to.x;
    Link* const oldHead = l->head;
    Link* const oldTail = l->tail;
    l->head->acceptMove(l);
    l->tail->acceptMove(l);

    // A neighbour that vanished leaves a link of this orientation next to this one: absorb it.
    if (l->head != oldHead && l->head->type == l->type) {
        Link* gone = l->head;
        join(gone->head, l);
        l->headPt = l->head->tailPt;
        delete gone;
    }
    if (l->tail != oldTail && l->tail->type == l->type) {
        Link* gone = l->tail;
        join(l, gone->tail);
        l->tailPt = l->tail->headPt;
        delete gone;
    }
}

void Link::tidy(Link* l) {
    Link* first = l;
    while (first->head)
        first = first->head;
    Link* cur = first->tail;
    while (cur && cur->isInner()) {
        if (cur->headPt == cur->tailPt) {
            Link* before = cur->head;
            cur->suicide();
            // The links on either side may now share an orientation: look again from before.
            cur = before->isInner() ? before : before->tail;
            continue;
        }
        Link* next = cur->tail;
        if (next && next->type == cur->type) {
            cur->tailPt = next->tailPt;
            join(cur, next->tail);
            delete next;
            continue;
        }
        cur = next;
    }
}

// --- HeadLink ---

HeadLink::HeadLink(Link* tailLink, ViewServices* m, Transition* o)
    : Link(nullptr, tailLink, eHeadLink, m, o) {}

void HeadLink::init(const CPoint& h, const CPoint& t) {
    if (h == t)
        return;
    headPt = h;
    tailPt = t;
}

void HeadLink::acceptMove(Link* moved) {
    Link* bridge = nullptr;
    switch (moved->getType()) {
    case eVLink:
        bridge = new HLink(this, moved, layoutMgr, owner);
        break;
    case eHLink:
        bridge = new VLink(this, moved, layoutMgr, owner);
        break;
    case eTailLink: {
        if (tailPt == moved->getHeadPt())
            return;
        const CPoint m = moved->getHeadPt();
        auto* h = new HLink(this, nullptr, layoutMgr, owner);
        auto* v = new VLink(h, moved, layoutMgr, owner);
        join(this, h);
        join(h, v);
        join(v, moved);
        const CPoint corner(m.x, tailPt.y);
        h->init(tailPt, corner);
        v->init(corner, m);
        return;
    }
    case eHeadLink:
        return;
    }
    join(bridge, moved);
    join(this, bridge);
    bridge->init(tailPt, moved->getHeadPt());
}

void HeadLink::getDragPoints(const CPoint& at, CPoint& first, CPoint& second) {
    first = at;
    second = at + (headPt - tailPt);
}

CRect HeadLink::getTrackRect() {
    return handleAt(pixel(headPt));
}

void HeadLink::offset(const CSize& by) {
    Link::offset(by);
    for (Link* l = tail; l; l = l->getTail())
        l->offset(by);
}

void HeadLink::move(const CPoint& newHead, const CPoint& newTail) {
    if (headPt == newHead && tailPt == newTail)
        return;
    Link* n = tail;
    if (!n)
        return;
    switch (n->getType()) {
    case eVLink:
        tailPt.x = newTail.x;
        slide(n, newTail);
        tailPt = newTail;
        tail->acceptMove(this);
        headPt = newHead;
        break;
    case eHLink:
        tailPt.y = newTail.y;
        slide(n, newTail);
        tailPt = newTail;
        tail->acceptMove(this);
        headPt = newHead;
        break;
    case eTailLink: {
        const CPoint m = n->getHeadPt();
        auto* h = new HLink(this, nullptr, layoutMgr, owner);
        auto* v = new VLink(h, n, layoutMgr, owner);
        join(this, h);
        join(h, v);
        join(v, n);
        headPt = newHead;
        tailPt = newTail;
        const CPoint corner(m.x, newTail.y);
        h->init(newTail, corner);
        v->init(corner, m);
        break;
    }
    case eHeadLink:
        return;
    }
    tidy(this);
}

void HeadLink::destroy() {
    Link* l = tail;
    tail = nullptr;
    while (l) {
        Link* next = l->getTail();
        delete l;
        l = next;
    }
}

// --- TailLink ---

TailLink::TailLink(Link* headLink, ViewServices* m, Transition* o)
    : Link(headLink, nullptr, eTailLink, m, o) {}

void TailLink::init(const CPoint& h, const CPoint& t) {
    if (h == t)
        return;
    move(h, t);
}

void TailLink::acceptMove(Link* moved) {
    Link* bridge = nullptr;
    switch (moved->getType()) {
    case eVLink:
        bridge = new HLink(moved, this, layoutMgr, owner);
        break;
    case eHLink:
        bridge = new VLink(moved, this, layoutMgr, owner);
        break;
    default:
        return;
    }
    join(moved, bridge);
    join(bridge, this);
    bridge->init(moved->getTailPt(), headPt);
}

void TailLink::getDragPoints(const CPoint& at, CPoint& first, CPoint& second) {
    first = at - (headPt - tailPt);
    second = at;
}

CRect TailLink::getTrackRect() {
    return handleAt(pixel(tailPt));
}

void TailLink::move(const CPoint& newHead, const CPoint& newTail) {
    if (headPt == newHead && tailPt == newTail)
        return;
    Link* n = head;
    if (!n)
        return;
    switch (n->getType()) {
    case eVLink:
        headPt.x = newHead.x;
        slide(n, newHead);
        headPt = newHead;
        head->acceptMove(this);
        tailPt = newTail;
        break;
    case eHLink:
        headPt.y = newHead.y;
        slide(n, newHead);
        headPt = newHead;
        head->acceptMove(this);
        tailPt = newTail;
        break;
    case eHeadLink:
        tailPt = newTail;
        headPt = newHead;
        n->acceptMove(this);
        break;
    case eTailLink:
        return;
    }
    tidy(this);
}

// --- HLink, VLink ---

namespace {
// The shared body of the inner links' init and acceptMove.
template <class L> bool followNeighbour(L* self, Link* moved, CPoint& headPt, CPoint& tailPt) {
    if (moved == self->getHead())
        headPt = moved->getTailPt();
    else if (moved == self->getTail())
        tailPt = moved->getHeadPt();
    return headPt == tailPt;
}
} // namespace

HLink::HLink(Link* headLink, Link* tailLink, ViewServices* m, Transition* o)
    : Link(headLink, tailLink, eHLink, m, o) {}

void HLink::init(const CPoint& h, const CPoint& t) {
    if (h == t) {
        suicide();
        return;
    }
    headPt = h;
    tailPt = t;
}

void HLink::acceptMove(Link* moved) {
    if (followNeighbour(this, moved, headPt, tailPt))
        suicide();
}

void HLink::getDragPoints(const CPoint& at, CPoint& first, CPoint& second) {
    first = CPoint(headPt.x, at.y);
    second = CPoint(tailPt.x, at.y);
}

CRect HLink::getTrackRect() {
    if (std::abs(headPt.x - tailPt.x) < 2)
        return {};
    return handleAt(pixel(CPoint((headPt.x + tailPt.x) / 2, headPt.y)));
}

void HLink::moveTo(const CPoint& to) {
    if (headPt.y == to.y)
        return;
    slide(this, to);
    tidy(this);
}

VLink::VLink(Link* headLink, Link* tailLink, ViewServices* m, Transition* o)
    : Link(headLink, tailLink, eVLink, m, o) {}

void VLink::init(const CPoint& h, const CPoint& t) {
    if (h == t) {
        suicide();
        return;
    }
    headPt = h;
    tailPt = t;
}

void VLink::acceptMove(Link* moved) {
    if (followNeighbour(this, moved, headPt, tailPt))
        suicide();
}

void VLink::getDragPoints(const CPoint& at, CPoint& first, CPoint& second) {
    first = CPoint(at.x, headPt.y);
    second = CPoint(at.x, tailPt.y);
}

CRect VLink::getTrackRect() {
    if (std::abs(headPt.y - tailPt.y) < 2)
        return {};
    return handleAt(pixel(CPoint(headPt.x, (headPt.y + tailPt.y) / 2)));
}

void VLink::moveTo(const CPoint& to) {
    if (headPt.x == to.x)
        return;
    slide(this, to);
    tidy(this);
}
