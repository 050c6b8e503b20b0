#include "model/link.h"

#include "model/transition.h"
#include "tests/model/route_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The link types from head to tail: h and t for the ends, H and V between them.
std::string types(const Transition& t) {
    std::string out;
    for (Link* l = t.getHeadLink(); l; l = l->getTail())
        out += l->getType() == eHeadLink   ? 'h'
               : l->getType() == eTailLink ? 't'
               : l->getType() == eHLink    ? 'H'
                                           : 'V';
    return out;
}

// A viewless transition owns the route under test (its pixels are units times 6).
std::unique_ptr<Transition> makeRoute(std::vector<LinkRecord> records) {
    auto t = std::make_unique<Transition>(1, nullptr, CPoint(), CPoint());
    t->setLinkRecords(std::move(records));
    t->init();
    return t;
}

Link* nth(const Transition& t, int n) {
    Link* l = t.getHeadLink();
    while (n-- > 0)
        l = l->getTail();
    return l;
}

// Head (10,10)->(10,11), H to x 20, V down to 30, tail entering (20,31) from above.
std::vector<LinkRecord> hvRoute() {
    return polyline({{10, 10}, {10, 11}, {20, 11}, {20, 30}, {20, 31}});
}

// A link dragged so that a neighbour loses its length: the neighbours merge, the ends stay.
TEST(LinkTest, DragsThatEmptyALinkMergeItsNeighbours) {
    // Which link moves where, the types after, the route before.
    const struct {
        int moved;
        CPoint to;
        std::string types;
        std::vector<CPoint> route;
    } cases[] = {
        {2, {10, 99}, "hVHt", {{10, 10}, {10, 11}, {20, 11}, {20, 30}, {20, 31}}}, // V to head
        {2, {0, 11}, "hHVt", {{10, 10}, {10, 11}, {10, 20}, {30, 20}, {30, 40}, {30, 41}}},
        {3, {0, 1}, "hHVt", {{0, 0}, {0, 1}, {10, 1}, {10, 5}, {20, 5}, {20, 20}, {20, 21}}},
        // H2 runs back over H1: the merged link has no length and the verticals become one.
        {4, {5, 3}, "hVt", {{0, 0}, {0, 1}, {0, 3}, {10, 3}, {10, 6}, {0, 6}, {0, 20}, {0, 21}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moved);
        auto t = makeRoute(polyline(c.route));
        nth(*t, c.moved)->moveTo(c.to);
        EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
        EXPECT_EQ(types(*t), c.types);
        const std::vector<LinkRecord> after = t->getRouteRecords();
        EXPECT_EQ(after.front(), polyline(c.route).front());
        EXPECT_EQ(after.back(), polyline(c.route).back());
    }
}
TEST(LinkTest, HeadMeetingTailIsBridgedByOneHorizontalAndOneVertical) {
    const struct {
        bool moveTail;
        CPoint to;
        std::string types;
    } cases[] = {{true, {10, 20}, "hHVt"}, {true, {10, 1}, "hHt"}, {false, {0, -10}, "hVt"}};
    for (const auto& c : cases) {
        auto t = makeRoute(polyline({{0, 0}, {0, 1}, {0, 2}}));
        if (c.moveTail)
            t->getTailLink()->move(c.to, c.to + CSize(0, 1));
        else
            t->getHeadLink()->move(c.to, c.to + CSize(0, 1));
        EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
        EXPECT_EQ(types(*t), c.types) << c.to.x << "," << c.to.y;
    }
}

TEST(LinkTest, HandlesAreFivePixelSquaresAndShortLinksHaveNone) {
    auto t = makeRoute(polyline({{10, 10}, {10, 11}, {11, 11}, {11, 14}, {11, 15}}));
    EXPECT_EQ(t->getHeadLink()->getTrackRect(), CRect(58, 58, 63, 63));
    EXPECT_EQ(t->getTailLink()->getTrackRect(), CRect(64, 88, 69, 93));
    Link* shortLink = nth(*t, 1);
    EXPECT_TRUE(shortLink->getTrackRect().IsRectNull());
    EXPECT_FALSE(shortLink->isDragPoint({63, 66}) || shortLink->isDragPoint({0, 0}));
    // (11, (11 + 14) / 2) = (11, 12) -> pixel (66, 72).
    EXPECT_EQ(nth(*t, 2)->getTrackRect(), CRect(64, 70, 69, 75));
    EXPECT_TRUE(nth(*t, 2)->isDragPoint({64, 70}));
    EXPECT_FALSE(nth(*t, 2)->isDragPoint({69, 72}));
}

// Long random sequences of end moves and segment drags: the route stays well formed after
// every single step, and the ends stay where they were put.
TEST(LinkTest, RandomEditsKeepTheRouteWellFormed) {
    for (std::uint64_t seed : {1u, 7u, 42u, 1234u}) {
        Rng rng(seed);
        auto t = makeRoute(hvRoute());
        CPoint headAt(10, 10), tailAt(20, 31);
        unsigned short headSide = 3, tailSide = 1;
        for (int step = 0; step < 3000; ++step) {
            const int what = rng.below(5);
            if (what == 0) {
                headAt = CPoint(rng.below(40), rng.below(40));
                headSide = static_cast<unsigned short>(1 + rng.below(4));
                t->getHeadLink()->move(headAt, Util::getIncrimentedPoint(headAt, headSide));
            } else if (what == 1) {
                tailAt = CPoint(rng.below(40), rng.below(40));
                tailSide = static_cast<unsigned short>(1 + rng.below(4));
                t->getTailLink()->move(Util::getIncrimentedPoint(tailAt, tailSide), tailAt);
            } else {
                std::vector<Link*> inner;
                for (Link* l = t->getHeadLink()->getTail(); l && l->isInner(); l = l->getTail())
                    inner.push_back(l);
                if (inner.empty())
                    continue;
                inner[static_cast<std::size_t>(rng.below(static_cast<int>(inner.size())))]->moveTo(
                    {rng.below(40), rng.below(40)});
            }
            ASSERT_TRUE(routeWellFormed(t->getHeadLink())) << "seed " << seed << " step " << step;
            ASSERT_TRUE(headOnAnchor(t->getHeadLink(), headAt, headSide)) << "step " << step;
            ASSERT_TRUE(tailOnAnchor(t->getHeadLink(), t->getTailLink(), tailAt, tailSide))
                << "step " << step;
        }
    }
}

} // namespace
