// Simulate mode as a user runs it: events sent from the dock, the marks on the drawing, the
// step log, guard questions, a trace from the generated C++ machine replayed, and the chart
// left exactly as it was.

#include "editor/app/child_frame.h"
#include "editor/app/simulate_dock.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using testsupport::readFile;

namespace {

class SimulateTest : public EditorTest {
protected:
    CChildFrame& child() { return *frame().activeChild(); }
    CSimulateDock& dock() { return *child().simulateDock(); }
    template <class W> W* widget(const char* name) {
        W* w = dock().findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) {
        auto* b = widget<QPushButton>(name);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Double-clicks the event in the dock's list, as a user sends it.
    void sendByDoubleClick(const QString& event) {
        auto* list = widget<QListWidget>("simEvents");
        const auto found = list->findItems(event, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << event.toStdString();
        QCoreApplication::processEvents(); // the dock is laid out
        list->scrollToItem(found.front());
        const QRect item = list->visualItemRect(found.front());
        ASSERT_TRUE(list->isVisible() && list->viewport()->rect().contains(item))
            << item.x() << "," << item.y() << " " << item.width() << "x" << item.height();
        const QPoint at = item.center();
        // A view takes a double click only on the item its press chose.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    void sendTyped(const QString& event) {
        auto* line = widget<QLineEdit>("simEventName");
        line->setFocus();
        QTest::keyClicks(line, event);
        QTest::keyClick(line, Qt::Key_Return);
    }
    std::vector<std::string> log() {
        std::vector<std::string> lines;
        auto* list = widget<QListWidget>("simLog");
        for (int i = 0; i < list->count(); ++i)
            lines.push_back(list->item(i)->text().toStdString());
        return lines;
    }
    bool logHas(const std::string& line) {
        const auto lines = log();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The chart's name of a state as the simulator and the trace write it (the naming rule
    // may qualify it with its parent's name).
    std::string name(const std::string& state) {
        for (const genchart::State& s : dock().session().chart().states)
            if (s.className == state || s.className.rfind(state + "_", 0) == 0)
                return s.className;
        ADD_FAILURE() << state;
        return state;
    }
    std::set<std::string> names(std::initializer_list<const char*> states) {
        std::set<std::string> out;
        for (const char* s : states)
            out.insert(name(s));
        return out;
    }
    // The states the drawing marks with the kind, by name.
    std::set<std::string> marked(SimMark::Kind kind) {
        std::map<long, std::string> names;
        for (const genchart::State& s : dock().session().chart().states)
            names[s.shapeId] = s.className;
        std::set<std::string> found;
        for (const SimMark& m : child().view().simMarks().marks)
            if (m.kind == kind)
                found.insert(names.count(m.shapeId) ? names[m.shapeId] : m.label);
        return found;
    }

    // Answers each guard question as it comes, from the queue (answer, remember); the texts of
    // the questions asked are kept.
    void answerGuards(std::deque<std::pair<bool, bool>> script) {
        answers = std::move(script);
        asked.clear();
        guardTimer.setInterval(5);
        QObject::connect(&guardTimer, &QTimer::timeout, [this] {
            auto* d = qobject_cast<GuardQuestionDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            asked.push_back(d->findChild<QLabel*>("guardText")->text().toStdString());
            const auto [value, remember] =
                answers.empty() ? std::pair(false, false) : answers.front();
            if (!answers.empty())
                answers.pop_front();
            d->findChild<QCheckBox*>("guardRemember")->setChecked(remember);
            d->findChild<QPushButton*>(value ? "guardTrue" : "guardFalse")->click();
        });
        guardTimer.start();
    }

    QTimer guardTimer;
    std::deque<std::pair<bool, bool>> answers;
    std::vector<std::string> asked;
};

} // namespace

TEST_F(SimulateTest, EventsMoveTheMarksAndTheLogExplainsEachStep) {
    ASSERT_TRUE(start());
    openCopy("media_player.tvc");
    trigger(cmd::SimulateMode);
    ASSERT_TRUE(child().isSimulating());
    EXPECT_TRUE(frame().action(cmd::SimulateMode)->isChecked());
    EXPECT_TRUE(child().view().isReadOnly());
    EXPECT_FALSE(widget<QListWidget>("simEvents")->isEnabled()); // not started yet

    click("simStart");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Off"}));
    sendByDoubleClick("power");
    // Every active state is marked, the innermost in its own way.
    EXPECT_EQ(marked(SimMark::Active), names({"On"}));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    EXPECT_EQ(marked(SimMark::Fired), std::set<std::string>{"fired: power"});
    EXPECT_TRUE(logHas("event power: handled"));
    EXPECT_TRUE(
        logHas("  try " + name("Off") + " -power-> " + name("On") + " (depth 0, #1): fired"));
    EXPECT_TRUE(logHas("  exit " + name("Off")));
    EXPECT_TRUE(logHas("  entry " + name("On") + ": display.on(); amp.powerUp();"));

    answerGuards({{true, false}});
    sendTyped("play");
    sendTyped("fastForward");
    EXPECT_EQ(marked(SimMark::Active), names({"On", "Playing"}));
    EXPECT_EQ(marked(SimMark::Innermost), names({"FastForward"}));
    EXPECT_EQ(widget<QLabel>("simStatus")->text().toStdString(),
              "Active: " + name("On") + " " + name("Playing") + " " + name("FastForward"));

    // An event no active state takes is explained too, and the filter narrows the list.
    sendByDoubleClick("release");
    sendByDoubleClick("release");
    EXPECT_TRUE(logHas("event release: ignored (no active state takes it)"));
    QTest::keyClicks(widget<QLineEdit>("simFilter"), "pa");
    std::vector<QString> shown;
    auto* list = widget<QListWidget>("simEvents");
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isHidden())
            shown.push_back(list->item(i)->text());
    EXPECT_EQ(shown, std::vector<QString>{"pause"});

    // A log line marks the shapes it names.
    const auto lines = log();
    const auto row = std::find(lines.begin(), lines.end(), "  exit " + name("Off")) - lines.begin();
    widget<QListWidget>("simLog")->setCurrentRow(static_cast<int>(row));
    EXPECT_EQ(marked(SimMark::Picked), names({"Off"}));

    // Step back runs everything again but the last event: back to before fastForward.
    for (int i = 0; i < 3; ++i)
        click("simStepBack");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Normal"}));
    EXPECT_EQ(asked.size(), 1u); // the guard's answer was given again, not asked again
    click("simReset");
    EXPECT_TRUE(child().view().simMarks().empty());
    EXPECT_TRUE(log().empty());
}

TEST_F(SimulateTest, AGuardIsAskedAndItsAnswerDecidesAndShows) {
    ASSERT_TRUE(start());
    openCopy("media_player.tvc");
    trigger(cmd::SimulateMode);
    click("simStart");
    sendTyped("power");

    answerGuards({{false, false}, {true, true}});
    sendTyped("play");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("player.hasMedia()"), std::string::npos) << asked[0];
    const std::string play = "  try " + name("Idle") + " -play-> " + name("Playing") +
                             " [player.hasMedia()] (depth 0, #1): ";
    EXPECT_NE(asked[0].find(name("Idle") + " -play-> " + name("Playing")), std::string::npos)
        << asked[0];
    EXPECT_TRUE(logHas(play + "guard false (your answer)"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    EXPECT_EQ(marked(SimMark::NotFired), std::set<std::string>{"not fired: guard false"});

    sendTyped("play");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(marked(SimMark::Innermost), names({"Normal"}));
    EXPECT_TRUE(logHas(play + "guard true, fired (your answer)"));

    // Remembered for the run: not asked again.
    sendTyped("stop");
    sendTyped("play");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(logHas(play + "guard true, fired (remembered)"));
}

TEST_F(SimulateTest, ATraceOfTheGeneratedMachineReplaysAndADamagedOneShowsWhereItParts) {
    ASSERT_TRUE(start());
    const fs::path chart = openCopy("media_player.tvc");
    const fs::path work = chart.parent_path();

    // The C++ machine of the same chart, built with -g, driven by a few events.
    QProcess gen;
    gen.start(TAVREN_TVC2CPP, {"-d", "-g", QString::fromStdString(chart.string())});
    ASSERT_TRUE(gen.waitForFinished(60000));
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAll().toStdString();
    fs::copy_file(fs::path(TAVREN_GENERATOR_DATA) / "player.h", work / "player.h");
    testsupport::writeFile(work / "main.cpp", R"(#include "media_playerTN.h"
int main() {
    Player ctx;
    MediaPlayerTN m(ctx);
    m.start();
    m.power(); m.play(); m.fastForward(); m.pause(); m.release(); m.play(); m.stop(); m.power();
}
)");
    QProcess cxx;
    cxx.setWorkingDirectory(QString::fromStdString(work.string()));
    cxx.start(TAVREN_CXX, {"-std=c++20", "-I.", "main.cpp", "media_playerTN.cpp", "-o", "player"});
    ASSERT_TRUE(cxx.waitForFinished(120000));
    ASSERT_EQ(cxx.exitCode(), 0) << cxx.readAllStandardError().toStdString();
    QProcess machine;
    machine.setStandardErrorFile(QString::fromStdString((work / "trace.txt").string()));
    machine.start(QString::fromStdString((work / "player").string()), {});
    ASSERT_TRUE(machine.waitForFinished(30000));
    const std::string trace = readFile(work / "trace.txt");
    ASSERT_NE(trace.find(" -stop-> "), std::string::npos) << trace;

    // Replayed from the menu (which enters Simulate mode), one step, then to the end.
    files.answers = {(work / "trace.txt").string()};
    trigger(cmd::SimulateReplay);
    ASSERT_TRUE(child().isSimulating());
    EXPECT_NE(widget<QLabel>("simStatus")->text().indexOf("agrees"), -1);
    click("simReplayNext");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Off"}));
    click("simReplayNext");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    click("simReplayAll");
    EXPECT_TRUE(logHas("end of the trace: it agrees with the chart"));
    EXPECT_TRUE(logHas("event play: handled"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Off"}));
    EXPECT_FALSE(widget<QPushButton>("simReplayNext")->isEnabled());
    click("simStepBack");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));

    // A trace whose machine went to FastForward where the chart pauses.
    std::string damaged = trace;
    const std::string paused = name("Playing") + " -pause-> " + name("Paused");
    ASSERT_NE(damaged.find(paused), std::string::npos);
    damaged.replace(damaged.find(paused), paused.size(),
                    name("Playing") + " -pause-> " + name("Idle"));
    testsupport::writeFile(work / "damaged.txt", damaged);
    files.answers = {(work / "damaged.txt").string()};
    click("simReplay");
    EXPECT_NE(widget<QLabel>("simStatus")->text().indexOf("parts from the chart"), -1);
    click("simReplayAll");
    const auto lines = log();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("trace line ", 0), 0u) << lines.back();
    // The chart's transition and the trace's are both shown where they part.
    std::set<std::string> parts;
    for (const SimMark& m : child().view().simMarks().marks)
        if (m.kind == SimMark::Disagrees)
            parts.insert(m.label);
    EXPECT_TRUE(parts.count("chart: " + paused)) << lines.back();
    EXPECT_TRUE(parts.count("trace: " + name("Playing") + " -pause-> " + name("Idle")))
        << lines.back();
}

TEST_F(SimulateTest, LeavingTheModeLeavesTheChartItsHistoryAndItsFileAsTheyWere) {
    ASSERT_TRUE(start());
    const fs::path chart = openCopy("media_player.tvc");
    LayoutMgr& layout = child().view().layout();
    // An unsaved change and a step to redo, so that there is something to lose.
    for (CPoint at : {CPoint(700, 420), CPoint(760, 480)}) {
        layout.onCommand(cmd::InsertNote);
        layout.dropTool(at);
    }
    trigger(cmd::EditUndo);
    ASSERT_TRUE(child().document().IsModified());
    const auto text = [&] {
        std::ostringstream out;
        layout.write(out);
        return out.str();
    };
    const std::string before = text();
    const std::string file = readFile(chart);
    const std::size_t entries = layout.getHistory().size();
    const std::string shown = layout.getHistory().shown();
    const bool undo = enabled(cmd::EditUndo);
    const bool redo = enabled(cmd::EditRedo);
    ASSERT_TRUE(undo && redo);

    trigger(cmd::SimulateMode);
    ASSERT_TRUE(child().isSimulating());
    for (unsigned id : {cmd::EditUndo, cmd::EditRedo, cmd::EditDelete, cmd::SelectAll,
                        cmd::InsertState, cmd::ModelProperties, cmd::FindReplace})
        EXPECT_FALSE(enabled(id)) << id;
    // Clicks, a drag and keys on the drawing change nothing while it runs.
    QWidget* drawing = child().view().viewport();
    // A drag on the state Off would move it; the drag's own mouse loop, if one ran, gets
    // the move and the release from the timer.
    QTimer::singleShot(0, [drawing] {
        QTest::mouseMove(drawing, QPoint(420, 270));
        QTest::mouseRelease(drawing, Qt::LeftButton, {}, QPoint(420, 270));
    });
    QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(360, 210));
    QCoreApplication::processEvents();
    QTest::keyClick(&child().view(), Qt::Key_Delete);
    trigger(cmd::EditDelete);
    answerGuards({{true, true}});
    click("simStart");
    for (const char* event : {"power", "play", "fastForward", "pause", "stop"})
        sendTyped(event);
    child().view().zoomIn();
    child().view().zoomOut();

    trigger(cmd::SimulateMode);
    EXPECT_FALSE(child().isSimulating());
    EXPECT_FALSE(child().view().isReadOnly());
    EXPECT_TRUE(child().view().simMarks().empty());
    EXPECT_TRUE(text() == before) << "the chart changed";
    EXPECT_TRUE(readFile(chart) == file) << "the file changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(chart.parent_path()), fs::directory_iterator()),
              1); // nothing was written beside it
    EXPECT_TRUE(child().document().IsModified());
    EXPECT_EQ(layout.getHistory().size(), entries);
    EXPECT_EQ(layout.getHistory().shown(), shown);
    EXPECT_EQ(enabled(cmd::EditUndo), undo);
    EXPECT_EQ(enabled(cmd::EditRedo), redo);
}

// A completion transition's guard is asked like an event's, and its answer shows in the log.
TEST_F(SimulateTest, ACompletionGuardIsAskedAndItsAnswerShows) {
    ASSERT_TRUE(start());
    openCopy("../tests/conformance/eventless_simple/chart.tvc", "eventless.tvc");
    trigger(cmd::SimulateMode);
    click("simStart");
    EXPECT_EQ(marked(SimMark::Innermost), names({"B"}));

    answerGuards({{true, false}, {false, false}});
    sendTyped("go");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].find(name("C") + " --> " + name("D")), std::string::npos) << asked[0];
    EXPECT_NE(asked[0].find("completion transitions"), std::string::npos) << asked[0];
    EXPECT_TRUE(logHas("  completion guard " + name("C") + " --> " + name("D") +
                       " [ctx.flag(\"x\")]: true (your answer)"));
    EXPECT_TRUE(logHas("  completion guard " + name("D") + " --> " + name("B") +
                       " [ctx.flag(\"y\")]: false (your answer)"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"D"}));
}
