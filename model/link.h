#pragma once
// The segments of a transition's route: a HeadLink leaving the source anchor, alternating
// vertical and horizontal inner links, and a TailLink entering the target anchor. The route
// owns its links; moving one link keeps the chain orthogonal and connected.

#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <cstdint>

class Transition;
class ViewServices;

// The numbers are written into model files.
enum ELinkType : std::int32_t {
    eVLink = 0,
    eHLink = 1,
    eHeadLink = 2,
    eTailLink = 3,
};

// The stored form of one link (model file, copies, rebuilding a damaged route).
struct LinkRecord {
    ELinkType type = eVLink;
    CPoint head;
    CPoint tail;
    bool operator==(const LinkRecord&) const = default;
};

class KELMORA_API Link {
public:
    static constexpr short cHandleSize = 3; // half-size of a handle square, pixels

    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;
    virtual ~Link() = default;

    virtual void init(const CPoint& head, const CPoint& tail) = 0;
    // A neighbour has just moved: follow it.
    virtual void acceptMove(Link* moved) = 0;
    // The two ends of the outline that follows the mouse while this link is dragged to at.
    virtual void getDragPoints(const CPoint& at, CPoint& first, CPoint& second) = 0;
    // The handle square in window pixels; empty when the link has no handle.
    virtual CRect getTrackRect() = 0;
    virtual bool isDragPoint(const CPoint& pixel);
    virtual void moveTo(const CPoint& to) = 0;
    virtual void offset(const CSize& by);
    // Unlinks and deletes this link; the two ends of a route never do.
    virtual void suicide();

    Link* getHead() const { return head; }
    Link* getTail() const { return tail; }
    void setHead(Link* l) { head = l; }
    void setTail(Link* l) { tail = l; }
    const CPoint& getHeadPt() const { return headPt; }
    const CPoint& getTailPt() const { return tailPt; }
    ELinkType getType() const { return type; }
    bool isInner() const { return type == eVLink || type == eHLink; }
    void setLayoutMgr(ViewServices* m) { layoutMgr = m; }
    ViewServices* getLayoutMgr() const { return layoutMgr; }
    Transition* getOwner() const { return owner; }

protected:
    Link(Link* headLink, Link* tailLink, ELinkType t, ViewServices* m, Transition* o)
        : head(headLink), tail(tailLink), type(t), layoutMgr(m), owner(o) {}

    // The handle square around a pixel.
    static CRect handleAt(const CPoint& c);
    static void join(Link* a, Link* b);
    // The sideways move of an inner link with the merge of same-orientation neighbours,
    // leaving the route untidied (the route ends call it in the middle of their own move).
    static void slide(Link* l, const CPoint& to);
    // Removes zero-length inner links and merges inner neighbours of the same orientation
    // along the whole route of l, so the route is well formed after every outside move.
    static void tidy(Link* l);
    CPoint pixel(const CPoint& units) const;

    CPoint headPt;
    CPoint tailPt;
    Link* head = nullptr;
    Link* tail = nullptr;
    ELinkType type;
    ViewServices* layoutMgr = nullptr;
    Transition* owner = nullptr;
};

class KELMORA_API HeadLink : public Link {
public:
    static constexpr const char* cClassName = "HeadLink";

    HeadLink(Link* tailLink, ViewServices* m, Transition* o);

    void init(const CPoint& head, const CPoint& tail) override;
    void acceptMove(Link* moved) override;
    void getDragPoints(const CPoint& at, CPoint& first, CPoint& second) override;
    CRect getTrackRect() override;
    void moveTo(const CPoint&) override {}
    // Shifts the whole route.
    void offset(const CSize& by) override;
    void suicide() override {}

    // The source anchor moved: newHead is the anchor, newTail one unit out of it.
    void move(const CPoint& newHead, const CPoint& newTail);
    // Deletes every link after this one.
    void destroy();
    // Restores the shape rules of the route after links were cut out of it.
    void tidyRoute() { Link::tidy(this); }
};

class KELMORA_API TailLink : public Link {
public:
    static constexpr const char* cClassName = "TailLink";

    TailLink(Link* headLink, ViewServices* m, Transition* o);

    void init(const CPoint& head, const CPoint& tail) override;
    void acceptMove(Link* moved) override;
    void getDragPoints(const CPoint& at, CPoint& first, CPoint& second) override;
    CRect getTrackRect() override;
    void moveTo(const CPoint&) override {}
    void suicide() override {}

    // The target anchor or the free end moved: newTail is the end, newHead one unit before.
    void move(const CPoint& newHead, const CPoint& newTail);
};

class KELMORA_API HLink : public Link {
public:
    static constexpr const char* cClassName = "HLink";

    HLink(Link* headLink, Link* tailLink, ViewServices* m, Transition* o);

    void init(const CPoint& head, const CPoint& tail) override;
    void acceptMove(Link* moved) override;
    void getDragPoints(const CPoint& at, CPoint& first, CPoint& second) override;
    CRect getTrackRect() override;
    void moveTo(const CPoint& to) override;
};

class KELMORA_API VLink : public Link {
public:
    static constexpr const char* cClassName = "VLink";

    VLink(Link* headLink, Link* tailLink, ViewServices* m, Transition* o);

    void init(const CPoint& head, const CPoint& tail) override;
    void acceptMove(Link* moved) override;
    void getDragPoints(const CPoint& at, CPoint& first, CPoint& second) override;
    CRect getTrackRect() override;
    void moveTo(const CPoint& to) override;
};
