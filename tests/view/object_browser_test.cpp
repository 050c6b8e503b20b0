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

using Call = std::pair<std::string, Shape*>;

class RecordingBrowser : public ObjectBrowser {
public:
    std::vector<Call> calls;
    virtual ~RecordingBrowser() = default;
    void Attach(LayoutMgr*) override { calls.push_back({"attach", nullptr}); }
    void Clear() override { calls.push_back({"clear", nullptr}); }
    void SetModelName(const std::string& name) override {
        calls.push_back({"name " + name, nullptr});
    }
    void AddShape(Shape* s) override { calls.push_back({"add", s}); }
    void RemoveShape(Shape* s) override { calls.push_back({"remove", s}); }
    void RefreshShape(Shape* s) override { calls.push_back({"refresh", s}); }
    std::vector<Call> take() { return std::exchange(calls, {}); }
};

TEST(ObjectBrowserTest, EditsReachTheBrowserShapeByShapeUntilTheViewDies) {
    FakePlatform fake;
    ScriptedWnd wnd;
    RecordingBrowser browser;
    auto view = std::make_unique<LayoutMgr>();
    view->setWindow(&wnd);
    view->setObjectBrowser(&browser);
    std::ifstream in(std::string(TAVREN_EXAMPLES) + "/door.tvc", std::ios::binary);
    view->read(in);
    view->initialUpdate();
    ModelMgr& mm = *view->getModelMgr();
    browser.take();
    Shape* added = mm.insertShape(cmd::InsertState, CPoint(10, 10));
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"add", added}}));

    // A new transition is listed before its ends are known, then refreshed with them.
    auto* from = dynamic_cast<GenericState*>(
        *std::find_if(mm.getShapeList().begin(), mm.getShapeList().end(),
                      [](Shape* s) { return s->getType() == "GenericState"; }));
    auto* to = dynamic_cast<GenericState*>(added);
    Transition* t = mm.createTransition(from, to, NODE(2, 2), NODE(2, 4), {});
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"add", t}, {"refresh", t}}));

    // A deleted state: its transitions hear of it before the state's items go.
    mm.clearSelection();
    mm.getCollection().add(to);
    mm.deleteSelection(false);
    const std::vector<Call> calls = browser.take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), (Call{"refresh", t}));
    EXPECT_EQ(calls.back(), (Call{"remove", added}));

    // Pasted shapes are listed as they join, states before the transitions between them (a
    // label joining its transition refreshes it).
    mm.selectAll();
    mm.copy();
    mm.paste();
    std::vector<short> layers;
    for (const auto& [what, shape] : browser.take())
        if (what == "add")
            layers.push_back(shape->getZorder());
        else
            EXPECT_EQ(what, "refresh");
    const auto lastState = std::find(layers.rbegin(), layers.rend(), cStateLayer).base();
    EXPECT_LE(lastState, std::find(layers.begin(), layers.end(), cTransitionLayer));
    EXPECT_EQ(layers.size(), mm.getCollection().items().size());

    fake.dialogs.onModel = [](std::string& name, std::string&, std::string&) {
        return name = "Doors", true;
    };
    view->onCommand(cmd::ModelProperties);
    EXPECT_EQ(browser.take(), (std::vector<Call>{{"name Doors", nullptr}}));
    view.reset();
    EXPECT_TRUE(browser.calls.empty()) << "a dying view no longer calls its browser";
}

} // namespace
