#include "model/transition.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/mesg.h"
#include "model/recorded_drawing.h"
#include "model/res_strings.h"
#include "model/shape_registry.h"
#include "model/state.h"
#include "model/trackers.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/command_ids.h"
#include "platform/cwnd.h"
#include "platform/services.h"

#include <algorithm>
#include <cstdlib>

const std::string Transition::cType = "Transition";

namespace {
constexpr int kMaxRepairs = 5;
constexpr short kArrowWidth = 4;
constexpr short kArrowHitWidth = 8;

CRect attachSquare(const CPoint& c) {
    const short half = Mesg::cAttachRectOffset + 1;
    return {c.x - half, c.y - half, c.x + half + 1, c.y + half + 1};
}
} // namespace

// --- life ---

Transition::Transition() = default;

Transition::Transition(long id, ViewServices* view, const CPoint& s, const CPoint& e)
    : ComplexShape(id, cType, view, cTransitionLayer), start(s), end(e) {
    const CPoint below = Util::getIncrimentedPoint(s, 3);
    const CPoint above = Util::getIncrimentedPoint(e, 1);
    linkRecords = {{eHeadLink, s, below}, {eVLink, below, e}, {eTailLink, above, e}};
}

Transition::Transition(const Transition& other)
    : ComplexShape(other), start(other.start), end(other.end), headNode(other.headNode),
      tailNode(other.tailNode), lastUnitOrigin(other.lastUnitOrigin), dragStart(other.dragStart),
      attachPoint(other.attachPoint), linkRecords(other.linkRecords),
      headStateId(other.headStateId), tailStateId(other.tailStateId) {
    // The copy has a route of its own; states and label stay with the original, and the
    // states are found again from their ids by init. It is not registered until created, so
    // its death must not take the original's id out of the registry.
    registry = nullptr;
    if (other.headLink)
        buildRoute(other.getRouteRecords());
}

Transition& Transition::operator=(const Transition& other) {
    if (this == &other)
        return *this;
    if (headState)
        headState->detachTransitionHead(this);
    if (tailState)
        tailState->detachTransitionTail(this);
    headState = nullptr;
    tailState = nullptr;
    destroyLinks();
    ShapeRegistry* const ownRegistry = registry; // registration belongs to the object
    ComplexShape::operator=(other);
    registry = ownRegistry;
    start = other.start;
    end = other.end;
    headNode = other.headNode;
    tailNode = other.tailNode;
    lastUnitOrigin = other.lastUnitOrigin;
    dragStart = other.dragStart;
    attachPoint = other.attachPoint;
    linkRecords = other.linkRecords;
    headStateId = other.headStateId;
    tailStateId = other.tailStateId;
    follow = {};
    if (other.headLink)
        buildRoute(other.getRouteRecords());
    return *this;
}

Transition::~Transition() {
    if (headState)
        headState->detachTransitionHead(this);
    if (tailState)
        tailState->detachTransitionTail(this);
    headState = nullptr;
    tailState = nullptr;
    if (Mesg* m = mesg) {
        delete m; // leaves through delinkMesg
        mesg = nullptr;
    }
    destroyLinks();
}

void Transition::serialise(OutArchive& ar) {
    ComplexShape::serialise(ar);
    std::ostream& out = ar.getStream();
    // Once joined, the attached states are the truth; before that, the ids read.
    const long headId = headState ? headState->getObjId() : (registry ? 0 : headStateId);
    const long tailId = tailState ? tailState->getObjId() : (registry ? 0 : tailStateId);
    out << start.x << ' ' << start.y << ' ' << end.x << ' ' << end.y;
    ar.endl();
    out << headId << ' ' << tailId;
    ar.endl();
    out << headNode.side << ' ' << headNode.index << ' ' << tailNode.side << ' ' << tailNode.index;
    ar.endl();
    for (const LinkRecord& r : headLink ? getRouteRecords() : linkRecords) {
        out << static_cast<int>(r.type) << ' ' << r.head.x << ' ' << r.head.y << ' ' << r.tail.x
            << ' ' << r.tail.y << ' ';
        ar.endl();
    }
}

void Transition::serialise(InArchive& ar) {
    ComplexShape::serialise(ar);
    long sx = 0, sy = 0, ex = 0, ey = 0;
    ar.readNumbers(sx, sy, ex, ey);
    start = CPoint(InArchive::toCoordinate(sx), InArchive::toCoordinate(sy));
    end = CPoint(InArchive::toCoordinate(ex), InArchive::toCoordinate(ey));
    ar.readNumbers(headStateId, tailStateId);
    ar.readNumbers(headNode.side, headNode.index, tailNode.side, tailNode.index);
    linkRecords.clear();
    for (;;) {
        short type = 0;
        long hx = 0, hy = 0, tx = 0, ty = 0;
        ar.readNumbers(type, hx, hy, tx, ty);
        linkRecords.push_back({static_cast<ELinkType>(type),
                               CPoint(InArchive::toCoordinate(hx), InArchive::toCoordinate(hy)),
                               CPoint(InArchive::toCoordinate(tx), InArchive::toCoordinate(ty))});
        if (type == eTailLink)
            break;
    }
}

bool Transition::reBirth(std::map<long, long>& idMap) {
    ComplexShape::reBirth(idMap);
    const auto remap = [&](long id) {
        const auto it = idMap.find(id);
        return it == idMap.end() ? 0L : it->second;
    };
    headStateId = remap(headStateId);
    tailStateId = remap(tailStateId);
    return true;
}

void Transition::initPartial() {
    if (headStateId != 0 && registry) {
        if (auto* s = dynamic_cast<StartableState*>(registry->getShape(headStateId))) {
            headState = s;
            s->attachTransitionHead(this);
        }
    }
    if (tailStateId != 0 && registry) {
        if (auto* s = dynamic_cast<EndableState*>(registry->getShape(tailStateId))) {
            tailState = s;
            s->attachTransitionTail(this);
        }
    }
}

void Transition::init() {
    initPartial();
    constructLinks();
    constructRgn();
    invalidate();
    ComplexShape::init();
}

void Transition::invalidate() {
    if (!mgr || !rgn)
        return;
    refreshRgn(); // where the route is now, not where it was last drawn
    mgr->repaint(rgn->GetRgnBox());
}

// --- the route ---

void Transition::constructLinks() {
    buildRoute(linkRecords);
}

void Transition::buildRoute(const std::vector<LinkRecord>& records, bool repair) {
    destroyLinks();
    Link* prev = nullptr;
    for (const LinkRecord& r : records) {
        switch (r.type) {
        case eHeadLink:
            if (headLink)
                continue; // one head per route
            headLink = new HeadLink(nullptr, nullptr, this);
            headLink->init(r.head, r.tail);
            prev = headLink;
            break;
        case eVLink:
        case eHLink: {
            if (!prev || tailLink)
                continue;
            Link* l = r.type == eVLink
                          ? static_cast<Link*>(new VLink(prev, nullptr, nullptr, this))
                          : static_cast<Link*>(new HLink(prev, nullptr, nullptr, this));
            prev->setTail(l);
            Link* before = prev;
            l->init(r.head, r.tail);
            prev = before->getTail(); // a zero-length record removed itself
            break;
        }
        case eTailLink:
            if (!prev || tailLink)
                continue;
            tailLink = new TailLink(prev, nullptr, this);
            prev->setTail(tailLink);
            tailLink->init(r.head, r.tail);
            break;
        }
    }
    if (headLink && !tailLink) {
        // A route needs both ends; a damaged one ends where its last link does.
        Link* last = headLink;
        while (last->getTail())
            last = last->getTail();
        tailLink = new TailLink(last, nullptr, this);
        last->setTail(tailLink);
    }
    if (!repair || !headLink || routeIsWellFormed())
        return;
    // Records that no longer fit together (a new transition's first sketch between anchors
    // that do not line up, or a damaged file) would leave slanted links behind that every
    // later move builds on. Keep both ends and join them with a vertical and a horizontal
    // link instead.
    const CPoint from = headLink->getHeadPt(), out = headLink->getTailPt();
    const CPoint in = tailLink->getHeadPt(), to = tailLink->getTailPt();
    const CPoint corner(out.x, in.y);
    buildRoute(
        {{eHeadLink, from, out}, {eVLink, out, corner}, {eHLink, corner, in}, {eTailLink, in, to}},
        false);
}

bool Transition::routeIsWellFormed() const {
    const Link* prev = headLink;
    for (const Link* l = headLink->getTail(); l; prev = l, l = l->getTail()) {
        if (l->getHead() != prev || l->getHeadPt() != prev->getTailPt())
            return false;
        if (l == tailLink)
            return l->getTail() == nullptr;
        const CPoint h = l->getHeadPt(), t = l->getTailPt();
        const bool straight = l->getType() == eHLink ? h.y == t.y : h.x == t.x;
        if (!l->isInner() || !straight || h == t || prev->getType() == l->getType())
            return false;
    }
    return false;
}

void Transition::destroyLinks() {
    if (headLink) {
        headLink->destroy();
        delete headLink;
    }
    headLink = nullptr;
    tailLink = nullptr;
    draggedLink = nullptr;
}

std::vector<LinkRecord> Transition::getRouteRecords() const {
    std::vector<LinkRecord> records;
    for (Link* l = headLink; l; l = l->getTail())
        records.push_back({l->getType(), l->getHeadPt(), l->getTailPt()});
    return records;
}

CPoint Transition::getPixel(const CPoint& units) const {
    return mgr ? mgr->zpFu(mgr->getClientPos(units)) : ViewServices::pFu(units);
}

CPoint Transition::absoluteUnits(const CPoint& pixel) const {
    return mgr ? mgr->getAbsolutePos(mgr->uFp(pixel)) : pixel;
}

bool Transition::isSelected() const {
    return mgr && mgr->getCollection().find(const_cast<Transition*>(this));
}

// --- following the states ---

void Transition::detach(StartableState* s) {
    if (s == headState)
        headState = nullptr;
    if constexpr (config::kInteractive)
        if (mgr)
            mgr->refreshObjectEntry(this);
}

void Transition::detach(EndableState* s) {
    if (s == tailState)
        tailState = nullptr;
    if constexpr (config::kInteractive)
        if (mgr)
            mgr->refreshObjectEntry(this);
}

void Transition::rememberFollow(std::vector<LinkRecord> before, const CSize& shift) {
    // The other end of the same selection move keeps the route as it was before the first.
    if (!(follow.valid && follow.shift == shift && follow.after == before))
        follow.before = std::move(before);
    follow.shift = shift;
    follow.after = getRouteRecords();
    follow.valid = true;
}

void Transition::reCalculate(StartableState*) {
    if (headState && headLink)
        followEnd(*headState, headNode, true);
}

void Transition::reCalculate(EndableState*) {
    if (tailState && tailLink)
        followEnd(*tailState, tailNode, false);
}

void Transition::followEnd(Connectable& state, const NODE& node, bool head) {
    constructRgn();
    const CPoint p = state.getAnchorPoint(node);
    const CPoint q = Util::getIncrimentedPoint(p, node.side);
    const CSize shift = p - (head ? headLink->getHeadPt() : tailLink->getTailPt());
    const bool inMovingSelection = isSelected() && state.isUnderCollection();
    std::vector<LinkRecord> before;
    if (inMovingSelection)
        before = getRouteRecords();
    if (head)
        headLink->move(p, q);
    else
        tailLink->move(q, p);
    update();
    if (inMovingSelection && shift != CSize())
        rememberFollow(std::move(before), shift);
    else
        follow.valid = false;
}

void Transition::setTailPoint(CPoint pixel) {
    if (tailState)
        tailState->detachTransitionTail(this);
    if (!tailLink)
        return;
    const CPoint p = absoluteUnits(pixel);
    const CPoint q = Util::getIncrimentedPoint(p, tailNode.side);
    tailLink->move(q, p);
}

void Transition::followStates() {
    if (headState && headLink) {
        const CPoint p = headState->getAnchorPoint(headNode);
        headLink->move(p, Util::getIncrimentedPoint(p, headNode.side));
    }
    if (tailState && tailLink) {
        const CPoint p = tailState->getAnchorPoint(tailNode);
        tailLink->move(Util::getIncrimentedPoint(p, tailNode.side), p);
    }
}

void Transition::update() {
    const CPoint remembered = attachPoint;
    if constexpr (config::kInteractive)
        autoCorrect();
    if (rgn) {
        refreshRgn();
        std::unique_ptr<CRgn> old = std::move(rgn);
        constructRgn();
        if (mgr) {
            mgr->repaint(old->GetRgnBox());
            if (rgn)
                mgr->repaint(rgn->GetRgnBox());
        }
    }
    if (!mesg || !mgr || !headLink || mgr->getCollection().find(mesg))
        return;
    const CPoint a = mgr->uFp(getAttachRect().CenterPoint());
    if (a == remembered)
        return;
    // Only a label that sits on the transition follows it.
    if (mgr->getClientPos(mesg->getAttachPoint()) == remembered) {
        CSize by = a - remembered;
        mesg->execute(eMove, &by);
    }
}

void Transition::constructRgn() {
    if (!mgr || !headLink)
        return;
    attachPoint = mgr->uFp(getAttachRect().CenterPoint());
    rgn = std::make_unique<CRgn>();
    for (Link* l = headLink; l; l = l->getTail())
        rgn->unite(*Util::createRectRgn(getPixel(l->getHeadPt()), getPixel(l->getTailPt()),
                                        cTransitionWidth));
    const CPoint h = getPixel(tailLink->getHeadPt());
    const CPoint t = getPixel(tailLink->getTailPt());
    rgn->unite(*Util::createTriangleRgn(h + (h - t), t, kArrowHitWidth));
    rgn->unite(CRgn::rect(getAttachRect()));
}

void Transition::refreshRgn() {
    if (!mgr || !headLink)
        return;
    const CPoint origin = mgr->zpFu(mgr->getAbsolutePos(CPoint(1, 1)));
    if (origin != lastUnitOrigin || !rgn) {
        constructRgn();
        lastUnitOrigin = origin;
    }
}

// The route's corners, the arrow's points and, around them, the handles and the label's
// attach frame.
CRect Transition::getDrawnBounds() const {
    if (!mgr || !headLink || !tailLink)
        return {};
    const CPoint first = getPixel(headLink->getHeadPt());
    CRect box(first, first);
    const auto take = [&box](CPoint p) {
        box = CRect(std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                    std::max(box.bottom, p.y));
    };
    for (const Link* l = headLink; l; l = l->getTail())
        take(getPixel(l->getTailPt()));
    const CPoint h = getPixel(tailLink->getHeadPt());
    const CPoint t = getPixel(tailLink->getTailPt());
    CPoint a;
    CPoint b;
    Util::createTrianglePoints(h + (h - t), t, kArrowWidth, a, b);
    take(a);
    take(b);
    box.InflateRect(8, 8);
    return box;
}

CRect Transition::getAttachRect() {
    if (!headLink)
        return attachSquare(CPoint());
    int n = 0;
    for (Link* l = headLink; l; l = l->getTail())
        ++n;
    Link* middle = headLink;
    for (int i = 0; i < n / 2 && middle->getTail(); ++i)
        middle = middle->getTail();
    const CRect handle = middle->getTrackRect();
    if (handle.IsRectNull()) {
        // A link too short for a handle still has a middle; the label must not jump to the
        // window's corner.
        const CPoint a = middle->getHeadPt();
        const CPoint b = middle->getTailPt();
        return attachSquare(getPixel(CPoint((a.x + b.x) / 2, (a.y + b.y) / 2)));
    }
    return attachSquare(handle.CenterPoint());
}

void Transition::showAttachPoint(bool) {
    if (mgr && headLink)
        mgr->repaint(getAttachRect());
}

bool Transition::validateLinks() {
    if constexpr (!config::kInteractive)
        return true;
    if (!headLink || !tailLink)
        return true;
    for (Link* a = headLink->getTail(); a && a != tailLink; a = a->getTail()) {
        for (Link* b = tailLink->getHead(); b && b != a && b->getHead() != a; b = b->getHead()) {
            CPoint x;
            if (!Util::isCrossing(a->getHeadPt(), a->getTailPt(), b->getHeadPt(), b->getTailPt(),
                                  x))
                continue;
            // Cut the loop out: a runs straight to the crossing and b on from there.
            for (Link* l = a->getTail(); l != b;) {
                Link* next = l->getTail();
                delete l;
                l = next;
            }
            a->setTail(b);
            b->setHead(a);
            const CPoint bTail = b->getTailPt();
            a->init(a->getHeadPt(), x); // may remove a; b stays
            b->init(x, bTail);
            // The cut may leave an empty link or same-orientation neighbours behind.
            headLink->tidyRoute();
            return false;
        }
    }
    return true;
}

void Transition::autoCorrect() {
    if constexpr (!config::kInteractive)
        return;
    for (int i = 0; i < kMaxRepairs; ++i)
        if (validateLinks())
            return;
    platform::messageBoxes().show(LoadResString(IDS_ROUTE_UNRECOVERABLE), MsgButtons::Ok,
                                  MsgIcon::Stop, MsgResult::Ok);
    constructLinks();
    // The stored route may be older than the states' places: its ends go back onto them.
    followStates();
}

// --- drawing ---

CPoint Transition::getAdjPt(const CPoint& a, const CPoint& b) {
    if (a.x == b.x && std::abs(a.y - b.y) >= 2)
        return {b.x, b.y + (a.y > b.y ? 1 : -1)};
    if (a.y == b.y && std::abs(a.x - b.x) >= 2)
        return {b.x + (a.x > b.x ? 1 : -1), b.y};
    return b;
}

bool Transition::drawArc(CDC* dc, const CPoint& a, const CPoint& corner, const CPoint& b) {
    if (corner == b) {
        dc->MoveTo(a);
        dc->LineTo(corner);
        return false;
    }
    if (a == corner) {
        dc->MoveTo(corner);
        dc->LineTo(b);
        return false;
    }
    CRect r(a, b);
    r.NormalizeRect();
    const LONG w = r.Width();
    const LONG h = r.Height();
    if (w == 0 || h == 0)
        return false;
    CPoint from = a;
    CPoint to = b;
    if (a.x < corner.x || b.x < corner.x) {
        if (a.y < b.y)
            std::swap(from, to);
        r.left -= w;
        if (a.y > corner.y || b.y > corner.y)
            r.bottom += h;
        else
            r.top -= h;
    } else {
        if (a.y > b.y)
            std::swap(from, to);
        r.right += w;
        if (a.y < corner.y || b.y < corner.y)
            r.top -= h;
        else
            r.bottom += h;
    }
    dc->Arc(r, from, to);
    return true;
}

template <class ToPixel> void Transition::traceRoute(CDC* dc, const Pen& pen, ToPixel toPixel) {
    if (!headLink || !tailLink)
        return;
    const BkMode oldMode = dc->SetBkMode(BkMode::Transparent);
    const Pen oldPen = dc->SelectPen(pen);

    std::vector<CPoint> pts{headLink->getHeadPt()};
    for (Link* l = headLink; l; l = l->getTail())
        pts.push_back(l->getTailPt());
    const std::size_t n = pts.size();

    dc->MoveTo(toPixel(pts[0]));
    dc->LineTo(toPixel(pts[1]));
    if (n >= 5) {
        // Corners between two inner links are rounded; those at the ends stay sharp.
        for (std::size_t i = 2; i + 3 <= n; ++i) {
            const CPoint a = getAdjPt(pts[i - 1], pts[i]);
            const CPoint b = getAdjPt(pts[i + 1], pts[i]);
            dc->LineTo(toPixel(a));
            drawArc(dc, toPixel(a), toPixel(pts[i]), toPixel(b));
            dc->MoveTo(toPixel(b));
        }
        dc->LineTo(toPixel(pts[n - 2]));
    } else if (n == 4) {
        dc->LineTo(toPixel(pts[2]));
    }
    dc->MoveTo(toPixel(pts[n - 2]));
    dc->LineTo(toPixel(pts[n - 1]));

    const CPoint h = toPixel(tailLink->getHeadPt());
    const CPoint t = toPixel(tailLink->getTailPt());
    CPoint a;
    CPoint b;
    Util::createTrianglePoints(h + (h - t), t, kArrowWidth, a, b);
    dc->MoveTo(a);
    dc->LineTo(t);
    dc->LineTo(b);

    dc->SelectPen(oldPen);
    dc->SetBkMode(oldMode);
}

void Transition::drawLines(CDC* dc, const Pen* pen) {
    const DrawingResources& res = DrawingResources::instance();
    const bool open = !headState || !tailState;
    const Pen& use = pen ? *pen : (open ? res.openTransitionPen : res.transitionPen);
    traceRoute(dc, use, [this](const CPoint& u) { return getPixel(u); });
}

void Transition::printLines(CDC* dc) {
    const DrawingResources& res = DrawingResources::instance();
    const bool open = !headState || !tailState;
    traceRoute(dc, open ? res.openTransitionPrintPen : res.transitionPrintPen,
               [](const CPoint& u) { return ViewServices::pFu(u); });
}

void Transition::draw(CDC* dc) {
    if constexpr (!config::kInteractive)
        return;
    if (!dc || !headLink)
        return;
    if (mgr && mgr->isPrinting()) {
        printLines(dc);
        return;
    }
    refreshRgn();
    drawLines(dc, nullptr);
    if (mgr && mgr->isPrinting())
        return; // handles and frames are for the screen only
    const bool selected = isSelected();
    if (selected)
        for (Link* l = headLink; l; l = l->getTail())
            dc->FillRect(l->getTrackRect(), Brush::solid(RGB(0, 0, 255)));
    const bool mesgSelected = mesg && mgr && mgr->getCollection().find(mesg);
    if ((selected && mesg) || (!selected && mesgSelected))
        dc->FrameRect(getAttachRect(), DrawingResources::instance().frameBrush);
}

// --- commands from the selection ---

void Transition::invalidateTracker() {
    if (!mgr || !headLink)
        return;
    for (Link* l = headLink; l; l = l->getTail())
        mgr->repaint(l->getTrackRect());
    if (mesg) {
        mgr->repaint(getAttachRect());
        mesg->setTransitionSelected(isSelected());
    }
}

void Transition::execute(EAction action, void* data) {
    switch (action) {
    case eDeselect:
    case eSelect:
        invalidateTracker();
        break;
    case eMove: {
        if (!data || !headLink)
            return;
        const CSize by = *static_cast<const CSize*>(data);
        constructRgn();
        if (headState && !headState->isUnderCollection())
            headState->detachTransitionHead(this);
        if (tailState && !tailState->isUnderCollection()) {
            tailState->detachTransitionTail(this);
            tailState = nullptr;
        }
        // A selected state that moved first has bent the route: take the route as it was, so
        // the whole of it moves with the selection.
        if (follow.valid && follow.shift == by && follow.after == getRouteRecords()) {
            buildRoute(follow.before);
        }
        follow.valid = false;
        headLink->offset(by);
        update();
        break;
    }
    case eTrack: {
        if constexpr (!config::kInteractive)
            return;
        CWnd* wnd = mgr ? mgr->getWindow() : nullptr;
        if (!wnd || !data || !headLink)
            return;
        if (!dragOutline) {
            dragOutline = std::make_unique<RecordedDrawing>();
            drawLines(dragOutline.get(), &DrawingResources::instance().dragPen);
        }
        const CSize by = mgr->zpFu(*static_cast<const CSize*>(data));
        CDC& dc = wnd->GetOverlayDC();
        const RasterOp oldRop = dc.SetROP2(RasterOp::NotXorPen);
        if (dragShown)
            dragOutline->replay(dc, toSize(dragPos));
        dragOutline->replay(dc, by);
        dc.SetROP2(oldRop);
        dragPos = CPoint(by);
        dragShown = true;
        break;
    }
    case eEndTrack: {
        if constexpr (!config::kInteractive)
            return;
        CWnd* wnd = mgr ? mgr->getWindow() : nullptr;
        if (dragShown && dragOutline && wnd) {
            CDC& dc = wnd->GetOverlayDC();
            const RasterOp oldRop = dc.SetROP2(RasterOp::NotXorPen);
            dragOutline->replay(dc, toSize(dragPos));
            dc.SetROP2(oldRop);
        }
        dragShown = false;
        dragOutline.reset();
        break;
    }
    }
}

// --- mouse ---

void Transition::drawMarker(const CPoint& at) {
    xorRectangle(mgr ? mgr->getWindow() : nullptr, CRect(at.x - 3, at.y - 3, at.x + 4, at.y + 4),
                 DrawingResources::instance().markerPen);
}

void Transition::showMarker(bool show, const CPoint& at) {
    if (markerShown && (!show || at != markerPos))
        drawMarker(markerPos); // XOR: drawing again erases
    if (show && (!markerShown || at != markerPos))
        drawMarker(at);
    markerShown = show;
    markerPos = at;
}

void Transition::onLButtonDown(UINT flags, CPoint point) {
    if constexpr (!config::kInteractive)
        return;
    if (!mgr || !headLink)
        return;
    if (!isSelected()) {
        mgr->getCollection().add(this);
        mgr->sendToFront(this);
        invalidate();
    }
    Link* hit = nullptr;
    for (Link* l = headLink; l && !hit; l = l->getTail())
        if (l->isDragPoint(point))
            hit = l;
    draggedLink = hit;
    follow.valid = false;
    if (!hit) {
        if (flags & MK_SHIFT)
            tryBodyMove(point);
    } else if (hit == headLink) {
        tryHeadMove(headLink, point);
    } else if (hit == tailLink) {
        tryTailMove(tailLink, point);
    } else {
        tryLinkMove(hit, point);
    }
    draggedLink = nullptr;
    showMarker(false);
}

bool Transition::onSetCursor(CWnd* wnd, UINT, UINT) {
    if constexpr (!config::kInteractive)
        return true;
    if (!wnd)
        return true;
    const DrawingResources& res = DrawingResources::instance();
    CursorId cursor = res.cursor154;
    if (isSelected() && headLink) {
        if (wnd->IsShiftDown())
            cursor = res.cursor146;
        const CPoint at = wnd->GetCursorPos();
        for (Link* l = headLink; l; l = l->getTail()) {
            if (!l->isDragPoint(at))
                continue;
            switch (l->getType()) {
            case eVLink:
                cursor = res.westEastCursor;
                break;
            case eHLink:
                cursor = res.northSouthCursor;
                break;
            default:
                cursor = res.cursor155;
                break;
            }
            break;
        }
    }
    wnd->SetCursor(cursor);
    return true;
}

bool Transition::trackEnd(const CPoint& from, CPoint& release) {
    CWnd* wnd = mgr->getWindow();
    if (!wnd)
        return false;
    PointTracker tracker(this, &ComplexShape::trackCallBack, true);
    tracker.setStart(getPixel(from));
    if (!tracker.track(wnd))
        return false;
    release = tracker.getPoint();
    constructRgn();
    return true;
}

void Transition::tryHeadMove(HeadLink* link, const CPoint& pixel) {
    CPoint first;
    CPoint second;
    link->getDragPoints(absoluteUnits(pixel), first, second);
    CPoint release;
    if (!trackEnd(first, release))
        return;
    const CPoint u = absoluteUnits(release);
    auto* state = dynamic_cast<StartableState*>(mgr->getShapeNearPoint(release, cStateLayer));
    NODE node;
    if (state && state->isPointInNode(ViewServices::pFu(u), node)) {
        headNode = node;
        const CPoint p = state->getAnchorPoint(node);
        if (headState)
            headState->detachTransitionHead(this);
        headState = state;
        state->attachTransitionHead(this);
        headLink->move(p, Util::getIncrimentedPoint(p, node.side));
    } else {
        if (headState)
            headState->detachTransitionHead(this);
        headLink->move(u, Util::getIncrimentedPoint(u, headNode.side));
    }
    update();
    mgr->refreshObjectEntry(this); // a new source: the browser lists it elsewhere
}

void Transition::tryTailMove(TailLink* link, const CPoint& pixel) {
    CPoint first;
    CPoint second;
    link->getDragPoints(absoluteUnits(pixel), first, second);
    CPoint release;
    if (!trackEnd(second, release))
        return;
    const CPoint u = absoluteUnits(release);
    auto* state = dynamic_cast<EndableState*>(mgr->getShapeNearPoint(release, cStateLayer));
    NODE node;
    if (state && state->isPointInNode(ViewServices::pFu(u), node)) {
        tailNode = node;
        const CPoint p = state->getAnchorPoint(node);
        if (tailState)
            tailState->detachTransitionTail(this);
        tailState = state;
        state->attachTransitionTail(this);
        tailLink->move(Util::getIncrimentedPoint(p, node.side), p);
    } else {
        if (tailState)
            tailState->detachTransitionTail(this);
        tailLink->move(Util::getIncrimentedPoint(u, tailNode.side), u);
    }
    update();
    mgr->refreshObjectEntry(this);
}

void Transition::tryLinkMove(Link* link, const CPoint& pixel) {
    CWnd* wnd = mgr->getWindow();
    if (!wnd)
        return;
    CPoint first;
    CPoint second;
    link->getDragPoints(absoluteUnits(pixel), first, second);
    LineTracker tracker(this, &ComplexShape::trackCallBack);
    tracker.setStart(getPixel(first), getPixel(second));
    if (!tracker.track(wnd))
        return;
    constructRgn();
    link->moveTo(absoluteUnits(tracker.getFirst()));
    update();
}

void Transition::tryBodyMove(const CPoint& pixel) {
    CWnd* wnd = mgr->getWindow();
    if (!wnd)
        return;
    PointTracker tracker(this, &ComplexShape::trackCallBack, false);
    tracker.setStart(pixel);
    dragStart = mgr->uFp(pixel);
    Collection& selection = mgr->getCollection();
    if (tracker.track(wnd)) {
        CSize by = mgr->uFp(tracker.getPoint()) - dragStart;
        selection.execute(eMove, &by);
    }
    // Every outline goes, this transition's own included.
    selection.execute(eEndTrack, nullptr);
}

void Transition::trackCallBack(CPoint& pixel) {
    if constexpr (!config::kInteractive)
        return;
    if (!mgr)
        return;
    if (!draggedLink) {
        CSize by = mgr->uFp(pixel) - dragStart;
        mgr->getCollection().execute(eTrack, &by);
        return;
    }
    const bool head = draggedLink->getType() == eHeadLink;
    const bool tail = draggedLink->getType() == eTailLink;
    if (head || tail) {
        Shape* near = mgr->getShapeNearPoint(pixel, cStateLayer);
        State* state = head ? static_cast<State*>(dynamic_cast<StartableState*>(near))
                            : static_cast<State*>(dynamic_cast<EndableState*>(near));
        NODE node;
        if (state && state->isPointInNode(ViewServices::pFu(absoluteUnits(pixel)), node)) {
            const CPoint at = mgr->anchorPixel(state->getAnchorPoint(node), node);
            pixel = at;
            showMarker(true, at);
            return;
        }
        showMarker(false);
    }
    pixel = mgr->zpFu(mgr->uFp(pixel));
}

// --- labels and the context menu ---

void Transition::attachMesg(Mesg* m) {
    mesg = m;
    if constexpr (config::kInteractive)
        if (mgr)
            mgr->refreshObjectEntry(this);
}

void Transition::delinkMesg(Mesg* m) {
    if (m == mesg)
        mesg = nullptr;
    if constexpr (config::kInteractive)
        if (mgr)
            mgr->refreshObjectEntry(this);
}

void Transition::onContextMenuAction(int commandId) {
    switch (commandId) {
    case cmd::AddMessage: {
        if (mesg || !mgr)
            return;
        CPoint at;
        if (auto* m = dynamic_cast<Mesg*>(mgr->createNewMesg(at, this))) {
            mesg = m;
            m->align();
        }
        break;
    }
    case cmd::AlignMessage:
        if (mesg)
            mesg->align();
        break;
    case cmd::DeleteMessage:
        if (Mesg* m = mesg) {
            delete m;
            mesg = nullptr;
        }
        break;
    case cmd::DeleteTransition:
        if (platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE), MsgButtons::YesNo,
                                          MsgIcon::Stop, MsgResult::No) == MsgResult::Yes)
            delete this; // the label goes with it
        break;
    default:
        break;
    }
}

void Transition::getMaxPrintArea(long& x, long& y) {
    x = y = 0;
    for (const Link* link = headLink; link; link = link->getTail())
        for (const CPoint& p : {link->getHeadPt(), link->getTailPt()}) {
            x = std::max<long>(x, p.x);
            y = std::max<long>(y, p.y);
        }
}
