// Undo, redo and the clipboard below the window system: long random edit sessions on every
// example chart undo to the oldest step kept and redo to the last byte for byte, and pasting
// follows the clipboard rules.

#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/model/chart_fixture.h"
#include "tests/model/route_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

template <class V, class T> bool has(const V& v, const T& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

class UndoTest : public ChartTest {
protected:
    ModelMgr& chart() { return *view.getModelMgr(); }
    std::vector<Shape*>& shapes() { return chart().getShapeList(); }
    std::string text() {
        std::ostringstream out;
        view.write(out);
        return out.str();
    }
    void open(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        view.read(in);
        view.initialUpdate();
    }
    template <class S> std::vector<S*> all() {
        std::vector<S*> found;
        for (Shape* s : shapes())
            if (auto* k = dynamic_cast<S*>(s))
                found.push_back(k);
        return found;
    }
    void selectOnly(Shape* s) {
        chart().clearSelection();
        chart().getCollection().add(s);
    }
    CPoint pixel(CPoint units) { return view.zpFu(view.getClientPos(units)); }
    // Deleting from the end: a transition takes its label along.
    void keepFirst(std::size_t n) {
        while (shapes().size() > n)
            delete shapes().back();
    }

    // Every reference resolves to a listed, registered shape that knows of it, and every
    // route keeps its form.
    ::testing::AssertionResult consistent() {
        const std::set<Shape*> listed(shapes().begin(), shapes().end());
        if (listed.size() != shapes().size())
            return ::testing::AssertionFailure() << "a shape is listed twice";
        for (Shape* s : shapes()) {
            if (chart().getShape(s->getObjId()) != s)
                return ::testing::AssertionFailure() << "unregistered id " << s->getObjId();
            if (auto* t = dynamic_cast<Transition*>(s)) {
                auto* head = dynamic_cast<Shape*>(t->getHeadState());
                auto* tail = dynamic_cast<Shape*>(t->getTailState());
                if ((head && (!listed.count(head) || !has(t->getHeadState()->getHeads(), t))) ||
                    (tail && (!listed.count(tail) || !has(t->getTailState()->getTails(), t))))
                    return ::testing::AssertionFailure() << "transition " << t->getObjId();
                if (t->getMesg() &&
                    (!listed.count(t->getMesg()) || t->getMesg()->getTransition() != t))
                    return ::testing::AssertionFailure() << "label of " << t->getObjId();
                if (auto r = routeWellFormed(t->getHeadLink()); !r)
                    return r;
            }
            if (auto* m = dynamic_cast<Mesg*>(s)) {
                if (!m->getTransition() || !listed.count(m->getTransition()) ||
                    m->getTransition()->getMesg() != m)
                    return ::testing::AssertionFailure() << "label " << m->getObjId();
            }
        }
        return ::testing::AssertionSuccess();
    }

    // One random edit of any kind, as the mouse and the menus make them.
    void randomEdit(Rng& rng, int n) {
        const std::vector<Shape*> list = shapes();
        Shape* any = list.empty() ? nullptr : list[rng.below(static_cast<int>(list.size()))];
        auto* box = dynamic_cast<RectShape*>(any);
        const CSize d(rng.below(25) - 12, rng.below(25) - 12);
        switch (rng.below(10)) {
        case 0: {
            const unsigned tools[] = {cmd::InsertState,        cmd::NewTransition,
                                      cmd::InsertInitialState, cmd::InsertFinalState,
                                      cmd::InsertNote,         cmd::InsertLine};
            chart().insertShape(tools[rng.below(6)], pixel({rng.below(300), rng.below(200)}));
            break;
        }
        case 1: // a drag of whatever lies at a shape's centre
        case 2: // a resize from the bottom-right handle of a selected box
            if (box) {
                selectOnly(box);
                const CRect r = view.zpFu(view.getClientPos(box->getRect()));
                const CPoint from = rng.below(2) ? r.CenterPoint() : r.BottomRight() - CSize(2, 2);
                wnd.script = {{MouseEvent::Move, from + d}, {MouseEvent::LButtonUp, from + d}};
                chart().onLButtonDown(MK_LBUTTON, from);
            }
            break;
        case 3:
            if (any) {
                selectOnly(any);
                chart().deleteSelection(false);
            }
            break;
        case 4: {
            const std::string t = "t" + std::to_string(n);
            fake.dialogs.onText = [t](std::string& s) { return s = t, true; };
            fake.dialogs.onEntryExit = [t](std::string& e, std::string&) { return e = t, true; };
            fake.dialogs.onEvent = [t](std::string& e, std::string& g, std::string&) {
                e = t;
                g = "g";
                return true;
            };
            for (unsigned edit : {cmd::EditNote, cmd::EditEntryExit, cmd::EditMesg})
                if (any)
                    any->onContextMenuAction(static_cast<int>(edit));
            break;
        }
        case 5:
            if (any) {
                selectOnly(any);
                chart().changeZorder(rng.below(2) == 0);
            }
            break;
        case 6:
        case 7: // copy some shapes and paste them, or cut one
            if (!list.empty()) {
                chart().clearSelection();
                for (int i = 0; i <= rng.below(3); ++i)
                    chart().getCollection().add(list[rng.below(static_cast<int>(list.size()))]);
                if (rng.below(2)) {
                    chart().copy();
                    chart().paste();
                } else {
                    chart().cut();
                }
            }
            break;
        case 8: {
            const std::vector<GenericState*> states = all<GenericState>();
            if (states.size() >= 2) {
                const auto& nodes = states[0]->getNodes();
                auto pick = [&](const std::map<NODE, CPoint>& m) {
                    return std::next(m.begin(), rng.below(static_cast<int>(m.size())))->first;
                };
                GenericState* to = states[rng.below(static_cast<int>(states.size()))];
                chart().createTransition(states[0], to, pick(nodes), pick(to->getNodes()), {});
            }
            break;
        }
        default:
            if (auto* t = dynamic_cast<Transition*>(any))
                t->onContextMenuAction(cmd::AddMessage);
            break;
        }
        view.pushUndoAction();
    }
};

TEST_F(UndoTest, RandomEditsUndoToTheOldestStepKeptAndRedoToTheLastByteForByte) {
    for (const auto& entry : std::filesystem::directory_iterator(TAVREN_EXAMPLES)) {
        if (entry.path().extension() != ".tvc")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        keepFirst(0);
        open(entry.path());
        std::vector<std::string> seen = {text()};
        Rng rng(20261207);
        for (int n = 0; n < 60; ++n) {
            randomEdit(rng, n);
            ASSERT_TRUE(consistent()) << "after edit " << n;
            if (text() != seen.back())
                seen.push_back(text());
            ASSERT_LE(view.getHistory().size(), UndoHistory::cLimit);
        }
        ASSERT_GT(seen.size(), UndoHistory::cLimit) << "too few edits changed the chart";
        int undone = 0;
        while (view.isUndoable()) {
            view.undo();
            ASSERT_TRUE(consistent()) << "after undo " << undone;
            ++undone;
        }
        EXPECT_EQ(undone, static_cast<int>(UndoHistory::cLimit) - 1);
        EXPECT_EQ(text(), seen[seen.size() - UndoHistory::cLimit]);
        while (view.isRedoable()) {
            view.redo();
            ASSERT_TRUE(consistent());
        }
        EXPECT_EQ(text(), seen.back());
    }
}

TEST_F(UndoTest, HistoryEnablingAndTheRedoStepsANewEditDrops) {
    view.initialUpdate();
    EXPECT_FALSE(view.isUndoable());
    EXPECT_FALSE(view.isCommandEnabled(cmd::EditUndo));
    auto insert = [&](int x) {
        chart().insertShape(cmd::InsertNote, pixel({x, 5}));
        view.pushUndoAction();
    };
    insert(10);
    EXPECT_TRUE(view.isUndoable());
    const std::string one = text();
    view.pushUndoAction(); // nothing changed: no step
    view.undo();
    EXPECT_FALSE(view.isUndoable());
    EXPECT_TRUE(view.isRedoable());
    view.redo();
    EXPECT_EQ(text(), one);
    view.undo();
    insert(20); // a new edit: the step to "one" is gone
    EXPECT_FALSE(view.isRedoable());
    EXPECT_EQ(all<Note>().size(), 1u);
    EXPECT_EQ(all<Note>()[0]->getRect().left, 20);

    for (int i = 0; i < 25; ++i)
        insert(30 + i * 14);
    int steps = 0;
    while (view.isUndoable()) {
        view.undo();
        ++steps;
    }
    EXPECT_EQ(steps, 20);
    EXPECT_EQ(all<Note>().size(), 6u) << "the 5 oldest of 26 inserts stay";
}

TEST_F(UndoTest, UndoBringsBackTheSnapshotsZoom) {
    view.initialUpdate();
    view.zoomIn();
    chart().insertShape(cmd::InsertNote, pixel({10, 5}));
    view.pushUndoAction();
    view.zoomOut();
    view.zoomOut();
    view.undo();
    EXPECT_EQ(view.getZoom(), 6);
    view.redo();
    EXPECT_EQ(view.getZoom(), 7);
}

TEST_F(UndoTest, PasteRemapsIdsKeepsWhatItCanAndLandsInView) {
    GenericState* a = add(new GenericState(newId(), &view, {10, 10, 30, 26}, "A"));
    GenericState* b = add(new GenericState(newId(), &view, {60, 10, 80, 26}, "B"));
    Transition* t = chart().createTransition(a, b, NODE(2, 2), NODE(2, 4), {});
    CPoint at;
    Mesg* label = chart().createNewMesg(at, t);
    fake.dialogs.onEvent = [](std::string& e, std::string&, std::string&) {
        return e = "go", true;
    };
    label->onContextMenuAction(cmd::EditMesg);

    // The transition and its label without their states: two free ends, the label kept.
    view.setScrollPosition(CPoint(600, 300)); // 100 by 50 units
    chart().clearSelection();
    chart().getCollection().add(t);
    chart().getCollection().add(label);
    chart().copy();
    ASSERT_TRUE(ModelMgr::isClipboardAvailable());
    const std::string payload = fake.clipboard.formats.at(ModelMgr::cClipboardFormat);
    EXPECT_EQ(payload.back(), '\0');
    EXPECT_EQ(payload.rfind("BEGIN Transition", 0), 0u);
    chart().paste();
    ASSERT_EQ(shapes().size(), 6u);
    auto* copy = dynamic_cast<Transition*>(shapes()[4]);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->getObjId(), t->getObjId());
    EXPECT_EQ(copy->getHeadState(), nullptr);
    EXPECT_EQ(copy->getTailState(), nullptr);
    ASSERT_NE(copy->getMesg(), nullptr);
    EXPECT_EQ(copy->getMesg()->getTextHandler()->getEvent(), "go");
    EXPECT_TRUE(chart().getCollection().find(copy) &&
                chart().getCollection().find(copy->getMesg()));
    const CRect box = copy->getBoundingRect();
    EXPECT_EQ(std::min(box.left, copy->getMesg()->getBoundingRect().left), 101);
    EXPECT_EQ(std::min(box.top, copy->getMesg()->getBoundingRect().top), 51);
    EXPECT_TRUE(consistent());

    // A label alone cannot be pasted: the user is told and nothing changes.
    selectOnly(label);
    chart().copy();
    const std::string before = text();
    chart().paste();
    EXPECT_EQ(text(), before);
    EXPECT_EQ(fake.messages.shown.back(),
              "The data from clipboard cannot be pasted. May be that dependant objects are not "
              "copied.");
}

// The clipboard may hold anything: nothing that is not ours reaches the chart.
TEST_F(UndoTest, HostileClipboardTextsNeverChangeTheChart) {
    add(new GenericState(newId(), &view, {10, 10, 30, 26}, "A"));
    selectOnly(shapes()[0]);
    chart().copy();
    const std::string good = fake.clipboard.formats.at(ModelMgr::cClipboardFormat);
    const std::string before = text();
    const std::string hostile[] = {
        "",
        "not ours at all",
        "BEGIN Unknown\r\n1 2 3\r\n",
        good.substr(0, good.size() / 2),                       // truncated
        "BEGIN GenericState\r\n-99999999999 2 3 4\r\n",        // huge
        std::string(good.begin(), good.end() - 1) + "garbage", // no zero byte
        "BEGIN Mesg\r\n101 20\r\n",
        "BEGIN Transition\r\n5 40\r\n0 0 0 0\r\n",
    };
    for (const std::string& t : hostile) {
        fake.clipboard.formats = {{ModelMgr::cClipboardFormat, t}};
        chart().paste();
        EXPECT_TRUE(consistent());
        // What was there before is untouched; only whole shapes may have come in.
        const std::string now = text();
        EXPECT_EQ(now.compare(0, before.find("END DATA"), before, 0, before.find("END DATA")), 0);
        keepFirst(1);
    }
}

} // namespace
