// Find and replace below the window system, over a sample chart: what is listed, in which
// order, what replacing does to the list, and that the whole session is one step to undo.

#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/note.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"
#include "view/chart_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

class ChartSearchTest : public ChartTest {
protected:
    void open(const std::string& file) {
        std::ifstream in(std::string(TAVREN_EXAMPLES) + file, std::ios::binary);
        view.read(in);
        view.initialUpdate(); // the first undo snapshot
    }
    // The rows found, as "kind: object" lines.
    static std::string rows(const std::vector<FoundText>& found) {
        std::string out;
        for (const FoundText& f : found)
            out += (f.object == "State Entry/Exit"     ? "S "
                    : f.object == "Transition Message" ? "M "
                                                       : "? ") +
                   f.detail + ";";
        return out;
    }
    std::string text() {
        std::ostringstream out;
        view.write(out);
        return out.str();
    }
};

TEST_F(ChartSearchTest, ListsStateActionsAndEventsInChartOrderByTheLookInFlags) {
    open("/media_player.tvc");
    // Neither a note nor a final state is searched, whatever its text.
    auto* note = dynamic_cast<Note*>(view.getModelMgr()->insertShape(cmd::InsertNote, {600, 600}));
    ASSERT_NE(note, nullptr);
    note->getTextHandler()->setData("player stop");
    view.getModelMgr()->insertShape(cmd::InsertFinalState, {700, 700});
    ChartSearch search(*view.getModelMgr());
    const std::tuple<const char*, bool, bool, const char*> table[] = {
        {"player", true, true,
         "S Playing;S FastForward;M Idle -> Playing;M Playing -> Idle;M Paused -> Idle;"},
        {"player", true, false, "S Playing;S FastForward;"},
        {"player", false, false, ""},
        {"stop", true, true, "M Playing -> Idle;M Paused -> Idle;"}, // Idle's entry shows "STOP"
        {"", true, true, ""},
    };
    for (const auto& [what, inStates, inEvents, expected] : table)
        EXPECT_EQ(rows(search.find(what, inStates, inEvents)), expected) << what;

    // A message of a transition without a source names it undefined.
    view.getModelMgr()->clearSelection();
    for (Shape* s : view.getModelMgr()->getShapeList())
        if (auto* g = dynamic_cast<GenericState*>(s); g && g->getName() == "Paused")
            view.getCollection().add(g);
    view.getModelMgr()->deleteSelection(false);
    EXPECT_EQ(rows(search.find("stop", false, true)), "M Playing -> Idle;M Undefined -> Idle;");
}

TEST_F(ChartSearchTest, ASessionOfReplacementsIsOneUndoStep) {
    open("/media_player.tvc");
    const std::string before = text();
    std::string kept, gone;
    fake.dialogs.onFindReplace = [&](TextSearch& search) {
        search.find("player", true, true);
        // The replacement still holds the text: every row is found again.
        EXPECT_TRUE(search.replace({0, 2}, "player", "media.player"));
        kept = rows(search.find("player", true, true));
        // Rows outside the last find are ignored; the rest lose the text.
        EXPECT_TRUE(search.replace({0, 1, 2, 3, 4, 9, -1}, "player", "deck"));
        gone = rows(search.find("player", true, true));
        EXPECT_FALSE(search.replace({0}, "player", "x"));
    };
    ASSERT_TRUE(view.onCommand(cmd::FindReplace));
    EXPECT_EQ(std::count(kept.begin(), kept.end(), ';'), 5);
    EXPECT_EQ(gone, "");
    EXPECT_NE(text().find("media.deck.resume();"), std::string::npos);
    view.undo();
    EXPECT_EQ(text(), before);
    EXPECT_FALSE(view.isUndoable());
}

// An event's parameter list is part of its text: found, listed and replaced with it, here
// renaming a parameter in the labels and the guard that reads it in one session.
TEST_F(ChartSearchTest, AParameterListIsSearchedAndReplacedAsEventText) {
    open("/../tests/conformance/parameters/chart.tvc");
    ChartSearch search(*view.getModelMgr());
    EXPECT_EQ(search.find("int last)", false, true).size(), 5u);
    EXPECT_TRUE(search.find("int last)", true, false).empty());
    search.find("count", false, true);
    EXPECT_TRUE(search.replace({0, 1, 2, 3, 4}, "count", "n"));
    int events = 0, guards = 0;
    for (Shape* shape : view.getModelMgr()->getShapeList())
        if (auto* mesg = dynamic_cast<Mesg*>(shape)) {
            events += mesg->getTextHandler()->getEvent() == "received(int n, int last)";
            guards += mesg->getTextHandler()->getGuard() == "n > 2";
        }
    EXPECT_EQ(events * 10 + guards, 51);
}

} // namespace
