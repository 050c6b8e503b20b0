// Simulate mode as a user runs it: events sent from the dock, the marks on the drawing, the
// step log, guard questions, a trace from the generated C++ machine replayed, and the chart
// left exactly as it was.

#include "editor/app/simulate_dock.h"
#include "tests/editor/app/app_fixture.h"

#include <map>
#include <set>

namespace {

using namespace testsupport;
using Names = std::set<std::string>;

class SimulateTest : public EditorTest {
protected:
    CSimulateDock& dock() { return *active().simulateDock(); }
    template <class W> W* widget(const char* name) { return child<W>(dock(), name); }
    void press(const char* name) {
        auto* b = widget<QPushButton>(name);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void begin(const std::string& example, const std::string& name = "") {
        ASSERT_TRUE(start());
        openCopy(example, name);
        trigger(cmd::SimulateMode);
        press("simStart");
    }
    // Double-clicks the event in the dock's list, as a user sends it.
    void sendByDoubleClick(const QString& event) {
        auto* list = widget<QListWidget>("simEvents");
        const auto found = list->findItems(event, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << event.toStdString();
        QCoreApplication::processEvents(); // the dock is laid out
        list->scrollToItem(found.front());
        const QRect item = list->visualItemRect(found.front());
        ASSERT_TRUE(list->isVisible() && list->viewport()->rect().contains(item));
        // A view takes a double click only on the item its press chose.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }
    void send(const QString& event) {
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
    bool logHas(const std::string& line) { return std::ranges::count(log(), line) > 0; }
    // The chart's name of a state as the simulator and the trace write it (the naming rule
    // may qualify it with its parent's name).
    std::string name(const std::string& state) {
        for (const genchart::State& s : dock().session().chart().states)
            if (s.className == state || s.className.rfind(state + "_", 0) == 0)
                return s.className;
        ADD_FAILURE() << state;
        return state;
    }
    Names names(std::initializer_list<const char*> states) {
        Names out;
        for (const char* s : states)
            out.insert(name(s));
        return out;
    }
    // The states (or labels) the drawing marks with the kind.
    Names marked(SimMark::Kind kind) {
        std::map<long, std::string> names;
        for (const genchart::State& s : dock().session().chart().states)
            names[s.shapeId] = s.className;
        Names found;
        for (const SimMark& m : active().view().simMarks().marks)
            if (m.kind == kind)
                found.insert(names.count(m.shapeId) ? names[m.shapeId] : m.label);
        return found;
    }
    QString statusText() { return widget<QLabel>("simStatus")->text(); }
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

TEST_F(SimulateTest, EventsMoveTheMarksTheLogExplainsEachStepAndGuardsAreAsked) {
    ASSERT_TRUE(start());
    openCopy("media_player.tvc");
    trigger(cmd::SimulateMode);
    ASSERT_TRUE(active().isSimulating());
    EXPECT_TRUE(frame().action(cmd::SimulateMode)->isChecked());
    EXPECT_TRUE(active().view().isReadOnly());
    EXPECT_FALSE(widget<QListWidget>("simEvents")->isEnabled()); // not started yet
    press("simStart");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Off"}));
    sendByDoubleClick("power");
    // Every active state is marked, the innermost in its own way.
    EXPECT_EQ(marked(SimMark::Active), names({"On"}));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    EXPECT_EQ(marked(SimMark::Fired), Names{"fired: power"});
    for (const std::string& line :
         {std::string("event power: handled"),
          "  try " + name("Off") + " -power-> " + name("On") + " (depth 0, #1): fired",
          "  exit " + name("Off"), "  entry " + name("On") + ": display.on(); amp.powerUp();"})
        EXPECT_TRUE(logHas(line)) << line;
    // The guard: refused, then allowed and remembered for the run.
    answerGuards({{false, false}, {true, true}});
    send("play");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(name("Idle") + " -play-> " + name("Playing")), std::string::npos);
    EXPECT_NE(asked[0].find("player.hasMedia()"), std::string::npos) << asked[0];
    const std::string play = "  try " + name("Idle") + " -play-> " + name("Playing") +
                             " [player.hasMedia()] (depth 0, #1): ";
    EXPECT_TRUE(logHas(play + "guard false (your answer)"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    EXPECT_EQ(marked(SimMark::NotFired), Names{"not fired: guard false"});
    send("play");
    EXPECT_TRUE(logHas(play + "guard true, fired (your answer)"));
    send("stop");
    send("play");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(logHas(play + "guard true, fired (remembered)"));
    send("fastForward");
    EXPECT_EQ(marked(SimMark::Active), names({"On", "Playing"}));
    EXPECT_EQ(marked(SimMark::Innermost), names({"FastForward"}));
    EXPECT_EQ(statusText().toStdString(),
              "Active: " + name("On") + " " + name("Playing") + " " + name("FastForward"));
    // An event no active state takes is explained too, and the filter narrows the list.
    sendByDoubleClick("release");
    sendByDoubleClick("release");
    EXPECT_TRUE(logHas("event release: ignored (no active state takes it)"));
    QTest::keyClicks(widget<QLineEdit>("simFilter"), "pa");
    std::vector<QString> shownEvents;
    auto* list = widget<QListWidget>("simEvents");
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isHidden())
            shownEvents.push_back(list->item(i)->text());
    EXPECT_EQ(shownEvents, std::vector<QString>{"pause"});
    // A log line marks the shapes it names.
    const auto lines = log();
    const auto row = std::ranges::find(lines, "  exit " + name("Off")) - lines.begin();
    widget<QListWidget>("simLog")->setCurrentRow(static_cast<int>(row));
    EXPECT_EQ(marked(SimMark::Picked), names({"Off"}));
    // Step back runs everything again but the last event, answering the guard as before.
    for (int i = 0; i < 3; ++i)
        press("simStepBack");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Normal"}));
    EXPECT_EQ(asked.size(), 2u);
    press("simReset");
    EXPECT_TRUE(active().view().simMarks().empty());
    EXPECT_TRUE(log().empty());
}

TEST_F(SimulateTest, ATraceOfTheGeneratedMachineReplaysAndADamagedOneShowsWhereItParts) {
    ASSERT_TRUE(start());
    const fs::path chart = openCopy("media_player.tvc");
    const fs::path work = chart.parent_path();
    // The C++ machine of the same chart, built with -g, driven by a few events.
    auto [status, out] = run(TAVREN_TVC2CPP, {"-d", "-g", QString::fromStdString(chart.string())});
    ASSERT_EQ(status, 0) << out;
    fs::copy_file(fs::path(TAVREN_GENERATOR_DATA) / "player.h", work / "player.h");
    writeFile(work / "main.cpp", R"(#include "media_playerTN.h"
int main() {
    Player ctx;
    MediaPlayerTN m(ctx);
    m.start();
    m.power(); m.play(); m.fastForward(); m.pause(); m.release(); m.play(); m.stop(); m.power();
})");
    std::tie(status, out) = run(
        TAVREN_CXX, {"-std=c++20", "-I.", "main.cpp", "media_playerTN.cpp", "-o", "player"}, work);
    ASSERT_EQ(status, 0) << out;
    QProcess machine;
    machine.setStandardErrorFile(QString::fromStdString((work / "trace.txt").string()));
    machine.start(QString::fromStdString((work / "player").string()), {});
    ASSERT_TRUE(machine.waitForFinished(30000));
    const std::string trace = readFile(work / "trace.txt");
    ASSERT_NE(trace.find(" -stop-> "), std::string::npos) << trace;
    // Replayed from the menu (which enters Simulate mode), one step, then to the end.
    files.answers = {(work / "trace.txt").string()};
    trigger(cmd::SimulateReplay);
    ASSERT_TRUE(active().isSimulating());
    EXPECT_TRUE(statusText().contains("agrees"));
    for (const char* innermost : {"Off", "Idle"}) {
        press("simReplayNext");
        EXPECT_EQ(marked(SimMark::Innermost), names({innermost}));
    }
    press("simReplayAll");
    EXPECT_TRUE(logHas("end of the trace: it agrees with the chart"));
    EXPECT_TRUE(logHas("event play: handled"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"Off"}));
    EXPECT_FALSE(widget<QPushButton>("simReplayNext")->isEnabled());
    press("simStepBack");
    EXPECT_EQ(marked(SimMark::Innermost), names({"Idle"}));
    // A trace whose machine went to Idle where the chart pauses: both transitions are shown.
    std::string damaged = trace;
    const std::string paused = name("Playing") + " -pause-> " + name("Paused");
    const std::string idled = name("Playing") + " -pause-> " + name("Idle");
    ASSERT_NE(damaged.find(paused), std::string::npos);
    damaged.replace(damaged.find(paused), paused.size(), idled);
    writeFile(work / "damaged.txt", damaged);
    files.answers = {(work / "damaged.txt").string()};
    press("simReplay");
    EXPECT_TRUE(statusText().contains("parts from the chart"));
    press("simReplayAll");
    ASSERT_FALSE(log().empty());
    EXPECT_EQ(log().back().rfind("trace line ", 0), 0u) << log().back();
    Names labels;
    for (const SimMark& m : active().view().simMarks().marks)
        labels.insert(m.kind == SimMark::Disagrees ? m.label : "");
    EXPECT_TRUE(labels.count("chart: " + paused) && labels.count("trace: " + idled));
}

TEST_F(SimulateTest, LeavingTheModeLeavesTheChartItsHistoryAndItsFileAsTheyWere) {
    ASSERT_TRUE(start());
    const fs::path file = openCopy("media_player.tvc");
    LayoutMgr& layout = chart();
    // An unsaved change and a step to redo, so that there is something to lose.
    for (CPoint at : {CPoint(700, 420), CPoint(760, 480)}) {
        layout.onCommand(cmd::InsertNote);
        layout.dropTool(at);
    }
    trigger(cmd::EditUndo);
    ASSERT_TRUE(active().document().IsModified());
    const std::string before = text(layout), bytes = readFile(file);
    const std::size_t entries = layout.getHistory().size();
    const std::string history = layout.getHistory().shown();
    ASSERT_TRUE(enabled(cmd::EditUndo) && enabled(cmd::EditRedo));
    trigger(cmd::SimulateMode);
    ASSERT_TRUE(active().isSimulating());
    for (unsigned id : {cmd::EditUndo, cmd::EditRedo, cmd::EditDelete, cmd::SelectAll,
                        cmd::InsertState, cmd::ModelProperties, cmd::FindReplace})
        EXPECT_FALSE(enabled(id)) << id;
    // Clicks, a drag on the state Off and keys on the drawing change nothing while it runs;
    // the drag's own mouse loop, if one ran, gets the move and the release from the timer.
    QWidget* drawing = active().view().viewport();
    QTimer::singleShot(0, [drawing] {
        QTest::mouseMove(drawing, QPoint(420, 270));
        QTest::mouseRelease(drawing, Qt::LeftButton, {}, QPoint(420, 270));
    });
    QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(360, 210));
    QCoreApplication::processEvents();
    QTest::keyClick(&active().view(), Qt::Key_Delete);
    trigger(cmd::EditDelete);
    answerGuards({{true, true}});
    press("simStart");
    for (const char* event : {"power", "play", "fastForward", "pause", "stop"})
        send(event);
    active().view().zoomIn();
    active().view().zoomOut();
    trigger(cmd::SimulateMode);
    EXPECT_FALSE(active().isSimulating());
    EXPECT_FALSE(active().view().isReadOnly());
    EXPECT_TRUE(active().view().simMarks().empty());
    EXPECT_TRUE(text(layout) == before) << "the chart changed";
    EXPECT_TRUE(readFile(file) == bytes) << "the file changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1)
        << "nothing was written beside it";
    EXPECT_TRUE(active().document().IsModified());
    EXPECT_EQ(layout.getHistory().size(), entries);
    EXPECT_EQ(layout.getHistory().shown(), history);
    EXPECT_TRUE(enabled(cmd::EditUndo) && enabled(cmd::EditRedo));
}

// A completion transition's guard is asked like an event's, and its answer shows in the log.
TEST_F(SimulateTest, ACompletionGuardIsAskedAndItsAnswerShows) {
    begin("../tests/conformance/eventless_simple/chart.tvc", "eventless.tvc");
    EXPECT_EQ(marked(SimMark::Innermost), names({"B"}));
    answerGuards({{true, false}, {false, false}});
    send("go");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].find(name("C") + " --> " + name("D")), std::string::npos) << asked[0];
    EXPECT_NE(asked[0].find("completion transitions"), std::string::npos) << asked[0];
    EXPECT_TRUE(logHas("  completion guard " + name("C") + " --> " + name("D") +
                       " [ctx.flag(\"x\")]: true (your answer)"));
    EXPECT_TRUE(logHas("  completion guard " + name("D") + " --> " + name("B") +
                       " [ctx.flag(\"y\")]: false (your answer)"));
    EXPECT_EQ(marked(SimMark::Innermost), names({"D"}));
}
