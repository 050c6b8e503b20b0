#include "model/config.h"
#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/res_strings.h"
#include "model/shape_registry.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"

#include <gtest/gtest.h>

namespace {

// Exposes the resize path that a tracker drag takes.
class ResizableMesg : public Mesg {
public:
    using Mesg::Mesg;
    using Mesg::resizeRect;
};

} // namespace

class MesgTest : public ChartTest {
protected:
    MesgTest() { t = add(new Transition(newId(), &view, {20, 10}, {20, 40})); }
    Transition* t = nullptr;
};

TEST_F(MesgTest, ViewCreatesALabelAtTheClickAttachedToTheTransition) {
    CPoint pixel(60, 30);
    auto* m = dynamic_cast<Mesg*>(view.createNewMesg(pixel, t));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->getRect(), CRect(10, 5, 20, 11));
    EXPECT_EQ(m->getTransitionId(), t->getObjId());
    EXPECT_EQ(view.getModelMgr()->getShape(m->getObjId()), m);
    EXPECT_EQ(t->getMesg(), m);
    if constexpr (config::kInteractive) {
        EXPECT_EQ(m->getBkColor(), 0xABCDEFu);
    }
    delete m;
    EXPECT_EQ(t->getMesg(), nullptr);
    view.setScrollPosition({60, 0}); // the click is taken in the scrolled chart
    auto* shifted = dynamic_cast<Mesg*>(view.createNewMesg(pixel, t));
    ASSERT_NE(shifted, nullptr);
    EXPECT_EQ(shifted->getRect(), CRect(20, 5, 30, 11));
}

TEST_F(MesgTest, BindingLooksTheTransitionUpByItsId) {
    // Without a view, as the library joins shapes.
    ShapeRegistry reg;
    auto* lone = new Transition(500, nullptr, {20, 10}, {20, 40});
    auto* m = new Mesg(501, nullptr, {5, 5, 15, 11}, lone);
    lone->create(&reg, nullptr);
    m->create(&reg, nullptr);
    EXPECT_EQ(lone->getMesg(), m);
    delete lone; // takes its label along
    EXPECT_EQ(reg.getShape(501), nullptr);
    // An id naming nothing, or a state, leaves the label unattached.
    Transition unlisted(newId(), &view, {1, 1}, {1, 9});
    auto* orphan = add(new Mesg(newId(), &view, {5, 5, 15, 11}, &unlisted));
    auto* s = add(new GenericState(newId(), &view, {40, 40, 50, 48}, "S"));
    Transition sameId(s->getObjId(), &view, {1, 1}, {1, 9});
    auto* wrong = add(new Mesg(newId(), &view, {5, 5, 15, 11}, &sameId));
    EXPECT_EQ(orphan->getTransition(), nullptr);
    EXPECT_EQ(wrong->getTransition(), nullptr);
    delete orphan;
    delete wrong;
}

TEST_F(MesgTest, AlignedLabelsStayCentredWhenResized) {
    if constexpr (!config::kInteractive)
        GTEST_SKIP() << "alignment needs the transition's route";
    auto* m = add(new ResizableMesg(newId(), &view, {40, 40, 50, 46}, t));
    EXPECT_FALSE(m->isAligned());
    m->onContextMenuAction(cmd::AlignMesg);
    EXPECT_TRUE(m->isAligned());
    EXPECT_EQ(m->getAttachPoint(), view.uFp(t->getAttachRect().CenterPoint()));
    const CRect r = m->getRect();
    m->resizeRect({r.left, r.top, r.right + 6, r.bottom + 4});
    EXPECT_TRUE(m->isAligned());
    EXPECT_EQ(m->getRect().Size(), CSize(16, 10));
    // A label the user placed elsewhere is resized where it is.
    m->setRect({60, 60, 70, 66});
    m->resizeRect({60, 60, 76, 70});
    EXPECT_EQ(m->getRect(), CRect(60, 60, 76, 70));
}

TEST_F(MesgTest, ReBirthNeedsItsTransition) {
    Mesg alone(200, &view, {5, 5, 15, 11}, t);
    std::map<long, long> withoutTransition{{200, 300}};
    EXPECT_FALSE(alone.reBirth(withoutTransition));
    EXPECT_EQ(withoutTransition.size(), 1u); // the lookup adds nothing
    Mesg pasted(201, &view, {5, 5, 15, 11}, t);
    std::map<long, long> both{{201, 301}, {t->getObjId(), 302}};
    EXPECT_TRUE(pasted.reBirth(both));
    EXPECT_EQ(pasted.getObjId(), 301);
    EXPECT_EQ(pasted.getTransitionId(), 302);
}

TEST_F(MesgTest, Commands) {
    auto* m = add(new Mesg(newId(), &view, {5, 5, 15, 11}, t));
    m->onContextMenuAction(cmd::EditMesg); // cancelled in the editor
    view.refreshed.clear();
    fake.dialogs.onEvent = [](std::string& ev, std::string&, std::string&) {
        ev = "tick";
        return true;
    };
    m->onContextMenuAction(cmd::EditMesg);
    m->onLButtonDoubleClick(0, {}); // the same edit: the browser hears of both
    EXPECT_EQ(view.refreshed, (std::vector<Shape*>{t, t}));
    if constexpr (config::kInteractive) {
        EXPECT_EQ(m->getTextHandler()->getEvent(), "tick");
        EXPECT_EQ(fake.dialogs.titles, (std::vector<std::string>{"Message", "Message", "Message"}));
    }
    fake.dialogs.onBox = [](BoxProperties& p) {
        EXPECT_FALSE(p.hidden);
        p = {true, true, true, 0x010203, 0x040506};
        return true;
    };
    m->onContextMenuAction(cmd::Properties);
    EXPECT_EQ(fake.dialogs.titles.back(), LoadResString(IDS_MESSAGE_PROPERTIES));
    EXPECT_FALSE(m->isNodeShown());
    EXPECT_TRUE(m->hasNoBorder() && m->isTransparent());
    EXPECT_EQ(m->getBorderColor(), 0x040506u);
    const long id = m->getObjId();
    m->onContextMenuAction(cmd::DeleteMesg); // No is the default answer
    EXPECT_EQ(t->getMesg(), m);
    fake.messages.answers.push_back(MsgResult::Yes);
    m->onContextMenuAction(cmd::DeleteMesg);
    EXPECT_EQ(fake.messages.shown.back(), LoadResString(IDS_CONFIRM_DELETE));
    EXPECT_EQ(t->getMesg(), nullptr);
    EXPECT_EQ(view.getModelMgr()->getShape(id), nullptr);
}

TEST_F(MesgTest, DrawingInTheViewsTextStyle) {
    auto* m = add(new Mesg(newId(), &view, {10, 5, 20, 11}, t));
    m->getTextHandler()->setData("ev", "n > 0", "go();");
    RecordingDC dc;
    m->draw(&dc);
    if constexpr (!config::kInteractive) {
        EXPECT_TRUE(dc.calls.empty());
        return;
    }
    EXPECT_EQ(dc.matching("Rectangle"), std::vector<std::string>{"Rectangle 60 30 120 66"});
    EXPECT_EQ(dc.count("Pen Solid 0 0x00ff00") + dc.count("Font Courier 100"), 2);
    EXPECT_EQ(dc.count("TextColor 0x000080"), 1);
    EXPECT_EQ(dc.matching("DrawText"),
              std::vector<std::string>{"DrawText 63 33 117 63 onEvent(ev)\r\n[n > 0]\r\n/go();"});
    EXPECT_EQ(dc.count("FillRect"), 0);
    // With its transition selected, the label shows its 9-by-9 attach square at
    // (90, 48).
    view.getCollection().add(t);
    m->getTextHandler()->setData("ev", "", "");
    dc.clear();
    m->draw(&dc);
    EXPECT_EQ(dc.count("DrawText 63 33 117 63 onEvent(ev)"), 1);
    EXPECT_EQ(dc.matching("FillRect"),
              std::vector<std::string>{"FillRect 86 44 95 53 Solid 0x00c000"});
}

TEST_F(MesgTest, DraggingTheAttachSquareOntoTheTransitionAligns) {
    if constexpr (!config::kInteractive)
        GTEST_SKIP() << "no mouse handling in the library";
    auto* m = add(new Mesg(newId(), &view, {40, 40, 50, 46}, t));
    view.getCollection().add(m);
    const CPoint square = view.zpFu(view.getClientPos(m->getAttachPoint()));
    const CPoint centre = t->getAttachRect().CenterPoint();
    wnd.moveTo({square.x + 30, square.y}); // released far away: nothing changes
    wnd.releaseAt({square.x + 30, square.y});
    m->onLButtonDown(0, square);
    EXPECT_EQ(m->getRect(), CRect(40, 40, 50, 46));
    // Within 8 pixels of the transition's square the point snaps onto it.
    const CPoint near(centre.x + 10, centre.y - 9);
    wnd.moveTo(near);
    wnd.releaseAt(near);
    m->onLButtonDown(0, square);
    EXPECT_TRUE(m->isAligned());
    EXPECT_GE(wnd.overlay.count("Rectangle"), 2);
    EXPECT_EQ(wnd.overlay.count("Rectangle") % 2,
              0); // the snap marker is gone again
}

TEST_F(ChartTest, ASecondLabelOfOneTransitionStaysUnattached) {
    auto* t = add(new Transition(newId(), &view, {20, 10}, {20, 40}));
    auto* first = add(new Mesg(newId(), &view, {22, 20, 32, 26}, t));
    auto* second = add(new Mesg(newId(), &view, {22, 30, 32, 36}, t));
    EXPECT_EQ(first->getTransition(), t);
    EXPECT_EQ(second->getTransition(), nullptr);
    EXPECT_EQ(t->getMesg(), first);
    delete t; // takes its own label; the other must not be left pointing at it
    EXPECT_EQ(second->getTransition(), nullptr);
}
