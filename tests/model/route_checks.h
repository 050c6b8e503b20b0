#pragma once
// Checks of a transition route's shape rules, shared by the link and transition tests.

#include "model/link.h"
#include "model/util.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// Deterministic on every standard library, unlike the distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state(seed) {}
    int below(int n) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<int>(state % static_cast<std::uint64_t>(n));
    }

private:
    std::uint64_t state;
};

inline std::vector<LinkRecord> shifted(std::vector<LinkRecord> records, CSize by) {
    for (LinkRecord& r : records) {
        r.head += by;
        r.tail += by;
    }
    return records;
}

// The route through the given points: a head link, alternating inner links, a tail link.
inline std::vector<LinkRecord> polyline(const std::vector<CPoint>& p) {
    std::vector<LinkRecord> r;
    for (std::size_t i = 1; i < p.size(); ++i)
        r.push_back({i == 1                 ? eHeadLink
                     : i + 1 == p.size()    ? eTailLink
                     : p[i - 1].y == p[i].y ? eHLink
                                            : eVLink,
                     p[i - 1], p[i]});
    return r;
}

inline std::string describeRoute(const Link* head) {
    std::ostringstream out;
    int guard = 0;
    for (const Link* l = head; l && guard < 1000; l = l->getTail(), ++guard)
        out << l->getType() << ":(" << l->getHeadPt().x << "," << l->getHeadPt().y << ")-("
            << l->getTailPt().x << "," << l->getTailPt().y << ") ";
    return out.str();
}

// Chain consistent both ways with matching points, inner links orthogonal and alternating,
// none of zero length, a HeadLink first and a TailLink last.
inline ::testing::AssertionResult routeWellFormed(const Link* head) {
    if (!head || head->getType() != eHeadLink || head->getHead())
        return ::testing::AssertionFailure() << "no head link: " << describeRoute(head);
    const Link* prev = head;
    int count = 0;
    for (const Link* l = head->getTail(); l; prev = l, l = l->getTail()) {
        if (++count > 1000)
            return ::testing::AssertionFailure() << "route does not end";
        if (l->getHead() != prev)
            return ::testing::AssertionFailure() << "broken back pointer: " << describeRoute(head);
        if (l->getHeadPt() != prev->getTailPt())
            return ::testing::AssertionFailure() << "gap: " << describeRoute(head);
        if (l->getType() == eHeadLink)
            return ::testing::AssertionFailure() << "second head: " << describeRoute(head);
        if (l->getType() == eTailLink) {
            if (l->getTail())
                return ::testing::AssertionFailure() << "links after tail";
            return ::testing::AssertionSuccess();
        }
        if (l->getType() == eHLink && l->getHeadPt().y != l->getTailPt().y)
            return ::testing::AssertionFailure() << "HLink not horizontal: " << describeRoute(head);
        if (l->getType() == eVLink && l->getHeadPt().x != l->getTailPt().x)
            return ::testing::AssertionFailure() << "VLink not vertical: " << describeRoute(head);
        if (l->getHeadPt() == l->getTailPt())
            return ::testing::AssertionFailure() << "zero-length link: " << describeRoute(head);
        if (prev->getType() == l->getType())
            return ::testing::AssertionFailure()
                   << "same orientation twice: " << describeRoute(head);
    }
    return ::testing::AssertionFailure() << "no tail link: " << describeRoute(head);
}

// The head link leaves the anchor one unit in the side's direction.
inline ::testing::AssertionResult headOnAnchor(const Link* head, CPoint anchor,
                                               unsigned short side) {
    if (head->getHeadPt() == anchor && head->getTailPt() == Util::getIncrimentedPoint(anchor, side))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "head off its anchor (" << anchor.x << "," << anchor.y
                                         << ") side " << side << ": " << describeRoute(head);
}

// The tail link enters the anchor from one unit outside.
inline ::testing::AssertionResult tailOnAnchor(const Link* head, const Link* tail, CPoint anchor,
                                               unsigned short side) {
    if (tail->getTailPt() == anchor && tail->getHeadPt() == Util::getIncrimentedPoint(anchor, side))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "tail off its anchor (" << anchor.x << "," << anchor.y
                                         << ") side " << side << ": " << describeRoute(head);
}
