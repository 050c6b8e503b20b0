#include "model/link.h"

#include "model/transition.h"
#include "tests/model/route_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A viewless transition owns the route under test (its pixels are units times 6).
std::unique_ptr<Transition> makeRoute(std::vector<LinkRecord> records) {
    auto t = std::make_unique<Transition>(1, nullptr, CPoint(), CPoint());
    t->setLinkRecords(std::move(records));
    t->init();
    return t;
}

std::vector<ELinkType> types(const Transition& t) {
    std::vector<ELinkType> out;
    for (Link* l = t.getHeadLink(); l; l = l->getTail())
        out.push_back(l->getType());
    return out;
}

Link* nth(const Transition& t, int n) {
    Link* l = t.getHeadLink();
    while (n-- > 0)
        l = l->getTail();
    return l;
}

// Head (10,10)->(10,11), H to x 20, V down to 30, tail entering (20,31) from above.
std::vector<LinkRecord> hvRoute() {
    return {{eHeadLink, {10, 10}, {10, 11}},
            {eHLink, {10, 11}, {20, 11}},
            {eVLink, {20, 11}, {20, 30}},
            {eTailLink, {20, 30}, {20, 31}}};
}

TEST(LinkTest, InnerLinkInitialisedEmptyUnlinksAndDeletesItself) {
    auto t = makeRoute(hvRoute());
    HeadLink* head = t->getHeadLink();
    Link* h = head->getTail();
    auto* extra = new VLink(head, h, nullptr, t.get());
    head->setTail(extra);
    h->setHead(extra);
    extra->init({10, 11}, {10, 11});
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eHLink, eVLink, eTailLink}));
    EXPECT_EQ(head->getTail(), h);
    EXPECT_EQ(h->getHead(), head);
    EXPECT_TRUE(routeWellFormed(head));
}

TEST(LinkTest, VerticalLinkMovedOntoHeadColumnDropsTheEmptyConnector) {
    auto t = makeRoute(hvRoute());
    nth(*t, 2)->moveTo({10, 99});
    EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
    // The H before it vanished; the tail side gained a connector to the unchanged tail.
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eVLink, eHLink, eTailLink}));
    EXPECT_EQ(nth(*t, 1)->getHeadPt(), CPoint(10, 11));
    EXPECT_EQ(nth(*t, 1)->getTailPt(), CPoint(10, 30));
    EXPECT_EQ(nth(*t, 2)->getTailPt(), CPoint(20, 30));
}

TEST(LinkTest, HorizontalLinkDraggedToHeadRowFollowsTheHeadLinkDirectly) {
    auto t = makeRoute({{eHeadLink, {10, 10}, {10, 11}},
                        {eVLink, {10, 11}, {10, 20}},
                        {eHLink, {10, 20}, {30, 20}},
                        {eVLink, {30, 20}, {30, 40}},
                        {eTailLink, {30, 40}, {30, 41}}});
    nth(*t, 2)->moveTo({0, 11});
    EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eHLink, eVLink, eTailLink}));
    EXPECT_EQ(nth(*t, 1)->getHeadPt(), CPoint(10, 11));
    EXPECT_EQ(nth(*t, 1)->getTailPt(), CPoint(30, 11));
}

TEST(LinkTest, NeighboursOfTheSameOrientationMerge) {
    auto t = makeRoute({{eHeadLink, {0, 0}, {0, 1}},
                        {eHLink, {0, 1}, {10, 1}},
                        {eVLink, {10, 1}, {10, 5}},
                        {eHLink, {10, 5}, {20, 5}},
                        {eVLink, {20, 5}, {20, 20}},
                        {eTailLink, {20, 20}, {20, 21}}});
    Link* moved = nth(*t, 3);
    moved->moveTo({0, 1});
    EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eHLink, eVLink, eTailLink}));
    EXPECT_EQ(nth(*t, 1), moved);
    EXPECT_EQ(moved->getHeadPt(), CPoint(0, 1));
    EXPECT_EQ(moved->getTailPt(), CPoint(20, 1));
}

TEST(LinkTest, MergeThatFoldsBackOntoItselfLeavesNoEmptyLink) {
    // H1 runs right, H2 runs back left over it: once the V between them is gone the merged
    // link has no length, and the verticals on either side become one.
    auto t = makeRoute({{eHeadLink, {0, 0}, {0, 1}},
                        {eVLink, {0, 1}, {0, 3}},
                        {eHLink, {0, 3}, {10, 3}},
                        {eVLink, {10, 3}, {10, 6}},
                        {eHLink, {10, 6}, {0, 6}},
                        {eVLink, {0, 6}, {0, 20}},
                        {eTailLink, {0, 20}, {0, 21}}});
    nth(*t, 4)->moveTo({5, 3});
    EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eVLink, eTailLink}));
    EXPECT_EQ(nth(*t, 1)->getTailPt(), CPoint(0, 20));
}

TEST(LinkTest, HeadMeetingTailIsBridgedByOneHorizontalAndOneVertical) {
    const struct {
        bool moveTail;
        CPoint to;
        std::vector<ELinkType> types;
    } cases[] = {
        {true, {10, 20}, {eHeadLink, eHLink, eVLink, eTailLink}},
        {true, {10, 1}, {eHeadLink, eHLink, eTailLink}},
        {false, {0, -10}, {eHeadLink, eVLink, eTailLink}},
    };
    for (const auto& c : cases) {
        auto t = makeRoute({{eHeadLink, {0, 0}, {0, 1}}, {eTailLink, {0, 1}, {0, 2}}});
        if (c.moveTail)
            t->getTailLink()->move(c.to, c.to + CSize(0, 1));
        else
            t->getHeadLink()->move(c.to, c.to + CSize(0, 1));
        EXPECT_TRUE(routeWellFormed(t->getHeadLink()));
        EXPECT_EQ(types(*t), c.types) << c.to.x << "," << c.to.y;
    }
}

TEST(LinkTest, UnchangedHeadMoveCreatesNothing) {
    auto t = makeRoute({{eHeadLink, {0, 0}, {0, 1}}, {eTailLink, {0, 1}, {0, 2}}});
    Link* tail = t->getHeadLink()->getTail();
    t->getHeadLink()->move({0, 0}, {0, 1});
    EXPECT_EQ(t->getHeadLink()->getTail(), tail);
    EXPECT_EQ(types(*t), (std::vector<ELinkType>{eHeadLink, eTailLink}));

    auto bent = makeRoute(hvRoute());
    const std::vector<Link*> links{nth(*bent, 0), nth(*bent, 1), nth(*bent, 2), nth(*bent, 3)};
    bent->getHeadLink()->move({10, 10}, {10, 11});
    EXPECT_EQ(bent->getRouteRecords(), hvRoute());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(nth(*bent, i), links[static_cast<std::size_t>(i)]);
}

TEST(LinkTest, HandlesAreFivePixelSquaresAndShortLinksHaveNone) {
    auto t = makeRoute({{eHeadLink, {10, 10}, {10, 11}},
                        {eHLink, {10, 11}, {11, 11}},
                        {eVLink, {11, 11}, {11, 14}},
                        {eTailLink, {11, 14}, {11, 15}}});
    EXPECT_EQ(t->getHeadLink()->getTrackRect(), CRect(58, 58, 63, 63));
    EXPECT_EQ(t->getTailLink()->getTrackRect(), CRect(64, 88, 69, 93));
    Link* shortLink = nth(*t, 1);
    EXPECT_TRUE(shortLink->getTrackRect().IsRectNull());
    EXPECT_FALSE(shortLink->isDragPoint({63, 66}));
    EXPECT_FALSE(shortLink->isDragPoint({0, 0}));
    // (11, (11 + 14) / 2) = (11, 12) -> pixel (66, 72).
    EXPECT_EQ(nth(*t, 2)->getTrackRect(), CRect(64, 70, 69, 75));
    EXPECT_TRUE(nth(*t, 2)->isDragPoint({64, 70}));
    EXPECT_FALSE(nth(*t, 2)->isDragPoint({69, 72}));
}

TEST(LinkTest, DragPointsFollowTheMouse) {
    auto t = makeRoute(hvRoute());
    // Ends move whole with their stub; inner links slide across their direction.
    const CPoint expected[][2] = {
        {{50, 50}, {50, 49}}, {{10, 50}, {20, 50}}, {{50, 11}, {50, 30}}, {{50, 51}, {50, 50}}};
    for (int i = 0; i < 4; ++i) {
        CPoint a;
        CPoint b;
        nth(*t, i)->getDragPoints({50, 50}, a, b);
        EXPECT_EQ(a, expected[i][0]) << i;
        EXPECT_EQ(b, expected[i][1]) << i;
    }
}

TEST(LinkTest, OffsetShiftsTheWholeRouteAndDestroyKeepsTheHead) {
    auto t = makeRoute(hvRoute());
    t->getHeadLink()->offset({3, -4});
    EXPECT_EQ(t->getRouteRecords(), shifted(hvRoute(), {3, -4}));
    t->getHeadLink()->destroy();
    EXPECT_EQ(t->getHeadLink()->getTail(), nullptr);
}

// Long random sequences of end moves and segment drags: the route stays well formed after
// every single step, and the ends stay where they were put.
TEST(LinkTest, RandomEditsKeepTheRouteWellFormed) {
    for (std::uint64_t seed : {1u, 7u, 42u, 1234u}) {
        Rng rng(seed);
        auto t = makeRoute(hvRoute());
        CPoint headAt(10, 10);
        unsigned short headSide = 3;
        CPoint tailAt(20, 31);
        unsigned short tailSide = 1;
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
