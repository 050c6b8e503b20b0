// What the chart view tells its object browser, and when: a recording browser stands in for
// the editor's tree.

#include "model/generic_state.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/fakes/fake_platform.h"
#include "view/layout_mgr.h"
#include "view/object_browser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Call {
    std::string what;
    Shape* shape = nullptr;
    bool operator==(const Call&) const = default;
};

class RecordingBrowser : public ObjectBrowser {
public:
    std::vector<Call> calls;
    virtual ~RecordingBrowser() = default;
    void Attach(LayoutMgr*) override { calls.push_back({"attach"}); }
    void Clear() override { calls.push_back({"clear"}); }
    void SetModelName(const std::string& name) override { calls.push_back({"name " + name}); }
    void AddShape(Shape* s) override { calls.push_back({"add", s}); }
    void RemoveShape(Shape* s) override { calls.push_back({"remove", s}); }
    void RefreshShape(Shape* s) override { calls.push_back({"refresh", s}); }
    std::vector<Call> take() { return std::exchange(calls, {}); }
};

class ObjectBrowserTest : public ::testing::Test {
protected:
    ObjectBrowserTest() {
        view->setWindow(&wnd);
        view->setObjectBrowser(&browser);
        std::ifstream in(std::string(TAVREN_EXAMPLES) + "/door.tvc", std::ios::binary);
        view->read(in);
        view->initialUpdate();
    }
    std::vector<Shape*>& shapes() { return view->getModelMgr()->getShapeList(); }
    GenericState* firstState() {
        for (Shape* s : shapes())
            if (auto* g = dynamic_cast<GenericState*>(s))
                return g;
        return nullptr;
    }

    FakePlatform fake;
    ScriptedWnd wnd;
    RecordingBrowser browser;
    std::unique_ptr<LayoutMgr> view = std::make_unique<LayoutMgr>();
};

TEST_F(ObjectBrowserTest, EditsReachTheBrowserShapeByShape) {
    browser.take();
    Shape* added = view->getModelMgr()->insertShape(cmd::InsertState, CPoint(10, 10));
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"add", added}}));

    // A new transition is listed before its ends are known, then refreshed with them.
    GenericState* from = firstState();
    auto* to = dynamic_cast<GenericState*>(added);
    Transition* t = view->getModelMgr()->createTransition(from, to, NODE(2, 2), NODE(2, 4), {});
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"add", t}, {"refresh", t}}));

    // A deleted state: its transitions hear of it before the state's items go.
    view->getModelMgr()->clearSelection();
    view->getModelMgr()->getCollection().add(to);
    view->getModelMgr()->deleteSelection(false);
    const std::vector<Call> calls = browser.take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), (Call{"refresh", t}));
    EXPECT_EQ(calls.back(), (Call{"remove", added}));

    // Pasted shapes are listed as they join, states before the transitions between them (a
    // label joining its transition refreshes it).
    view->getModelMgr()->selectAll();
    view->getModelMgr()->copy();
    view->getModelMgr()->paste();
    std::vector<short> layers;
    for (const Call& c : browser.take()) {
        if (c.what == "add")
            layers.push_back(c.shape->getZorder());
        else
            EXPECT_EQ(c.what, "refresh");
    }
    const auto lastState = std::find(layers.rbegin(), layers.rend(), cStateLayer).base();
    const auto firstTransition = std::find(layers.begin(), layers.end(), cTransitionLayer);
    EXPECT_LE(lastState - layers.begin(), firstTransition - layers.begin());
    EXPECT_EQ(layers.size(), view->getModelMgr()->getCollection().items().size());

    fake.dialogs.onModel = [](std::string& name, std::string&, std::string&) {
        name = "Doors";
        return true;
    };
    view->onCommand(cmd::ModelProperties);
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"name Doors"}}));
}

TEST_F(ObjectBrowserTest, ADyingViewNoLongerCallsItsBrowser) {
    browser.take();
    view.reset();
    EXPECT_TRUE(browser.calls.empty());
}

} // namespace
