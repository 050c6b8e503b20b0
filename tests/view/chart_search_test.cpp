// Find and replace below the window system, over a sample chart: what is listed, in which
// order, what replacing does to the list, and that the whole session is one step to undo.

#include "model/final_state.h"
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

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class ChartSearchTest : public ChartTest {
protected:
    ChartSearchTest() {
        std::ifstream in(std::string(TAVREN_EXAMPLES) + "/media_player.tvc", std::ios::binary);
        view.read(in);
        view.initialUpdate(); // the first undo snapshot
    }
    Rows rows(const std::vector<FoundText>& found) {
        Rows out;
        for (const FoundText& f : found)
            out.emplace_back(f.object, f.detail);
        return out;
    }
    GenericState* state(const std::string& name) {
        for (Shape* s : view.getModelMgr()->getShapeList())
            if (auto* g = dynamic_cast<GenericState*>(s); g && g->getName() == name)
                return g;
        return nullptr;
    }
    std::string text() {
        std::ostringstream out;
        view.write(out);
        return out.str();
    }
};

const char* const cState = "State Entry/Exit";
const char* const cMesg = "Transition Message";

TEST_F(ChartSearchTest, ListsStateActionsAndEventsInChartOrderByTheLookInFlags) {
    struct Row {
        const char* what;
        bool inStates;
        bool inEvents;
        Rows expected;
    };
    const Row table[] = {
        {"player",
         true,
         true,
         {{cState, "Playing"},
          {cState, "FastForward"},
          {cMesg, "Idle -> Playing"},
          {cMesg, "Playing -> Idle"},
          {cMesg, "Paused -> Idle"}}},
        {"player", true, false, {{cState, "Playing"}, {cState, "FastForward"}}},
        {"player", false, false, {}},
        // Case matters: Idle's entry shows "STOP".
        {"stop", true, true, {{cMesg, "Playing -> Idle"}, {cMesg, "Paused -> Idle"}}},
        {"", true, true, {}},
    };
    // Neither a note nor a final state is searched, whatever its text.
    auto* note = dynamic_cast<Note*>(view.getModelMgr()->insertShape(cmd::InsertNote, {600, 600}));
    ASSERT_NE(note, nullptr);
    note->getTextHandler()->setData("player stop");
    view.getModelMgr()->insertShape(cmd::InsertFinalState, {700, 700});

    ChartSearch search(*view.getModelMgr());
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(rows(search.find(row.what, row.inStates, row.inEvents)), row.expected);
    }
}

TEST_F(ChartSearchTest, AMessageOfATransitionWithoutASourceNamesItUndefined) {
    view.getModelMgr()->clearSelection();
    view.getCollection().add(state("Paused"));
    view.getModelMgr()->deleteSelection(false);
    ChartSearch search(*view.getModelMgr());
    EXPECT_EQ(rows(search.find("stop", false, true)),
              (Rows{{cMesg, "Playing -> Idle"}, {cMesg, "Undefined -> Idle"}}));
}

TEST_F(ChartSearchTest, ASessionOfReplacementsIsOneUndoStep) {
    const std::string before = text();
    Rows kept;
    Rows gone;
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
    EXPECT_EQ(kept.size(), 5u);
    EXPECT_TRUE(gone.empty());
    EXPECT_EQ(state("Playing")->getTextHandler()->getEntry(), "media.deck.resume();");
    EXPECT_NE(text(), before);

    view.undo();
    EXPECT_EQ(text(), before);
    EXPECT_FALSE(view.isUndoable());
}

// An event's parameter list is part of its text: found, listed and replaced with it, here
// renaming a parameter in the labels and the guard that reads it in one session.
TEST_F(ChartTest, AParameterListIsSearchedAndReplacedAsEventText) {
    std::ifstream in(std::string(TAVREN_EXAMPLES) + "/../tests/conformance/parameters/chart.tvc",
                     std::ios::binary);
    ASSERT_TRUE(in);
    view.read(in);
    ChartSearch search(*view.getModelMgr());
    EXPECT_EQ(search.find("int last)", false, true).size(), 5u);
    EXPECT_TRUE(search.find("int last)", true, false).empty());
    search.find("count", false, true);
    EXPECT_TRUE(search.replace({0, 1, 2, 3, 4}, "count", "n"));
    std::vector<std::string> events;
    std::vector<std::string> guards;
    for (Shape* shape : view.getModelMgr()->getShapeList())
        if (auto* mesg = dynamic_cast<Mesg*>(shape)) {
            events.push_back(mesg->getTextHandler()->getEvent());
            if (!mesg->getTextHandler()->getGuard().empty())
                guards.push_back(mesg->getTextHandler()->getGuard());
        }
    EXPECT_EQ(std::count(events.begin(), events.end(), "received(int n, int last)"), 5);
    EXPECT_EQ(std::count(guards.begin(), guards.end(), "n > 2"), 1);
}

} // namespace
