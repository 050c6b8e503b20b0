#pragma once
// One run of a chart in Simulate mode: the chart as the view holds it, read through the
// code-generation front end into the simulator, what was sent (so that Step back can run it
// again one step shorter), the step log and the marks the drawing shows. Or a trace from a
// generated machine, stepped through the same way.

#include "editor/view/sim_marks.h"
#include "generators/sim/chart_simulator.h"
#include "generators/sim/trace_check.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class LayoutMgr;

class SimSession {
public:
    struct Answer {
        bool value = false;
        bool remember = false; // for the rest of the run, for every transition with this guard
    };
    using GuardAsker = std::function<Answer(const sim::GuardQuestion&)>;

    struct LogLine {
        std::string text;
        std::vector<long> shapes; // the states and transitions the line is about
        bool head = false;        // the first line of an event's explanation
    };

    // Reads the chart the view shows, unsaved changes included, through a copy in a
    // temporary folder. Throws the reason (a std::string) when it cannot run.
    explicit SimSession(LayoutMgr& view);

    const genchart::Chart& chart() const { return model; }
    std::vector<std::string> eventNames() const;
    // Without an asker every guard is false.
    void setGuardAsker(GuardAsker asker) { askGuard = std::move(asker); }

    bool started() const { return current().started(); }
    bool replaying() const { return replay != nullptr; }
    // How many starts and events have run: what Step back takes one from.
    std::size_t steps() const { return inputs.size(); }
    std::vector<int> configuration() const { return current().configuration(); }

    void start();
    // False when the chart has no event of that name, or a trace is being replayed.
    bool send(const std::string& event);
    // Back to before the start; answers remembered for the run are forgotten.
    void reset();
    // Runs everything again from the start but the last step, with the guard answers given
    // the first time. False when nothing has run.
    bool stepBack();

    // Replays a -g trace from the start: each replayStep runs the next start or event the
    // trace shows. The verdict is the whole trace's; false from replayStep once the trace is
    // used up or parts from the chart, which the log and the marks then show.
    sim::TraceCheck startReplay(std::vector<std::string> trace);
    bool replayStep();
    bool replayDone() const { return replay && replay->done(); }

    const std::vector<LogLine>& log() const { return lines; }
    // Every active state, the transitions the last step fired and the candidates that did
    // not, and where a replay parted from the chart.
    SimMarks marks() const;

private:
    struct Given {
        bool value;
        const char* how; // how the answer came, for the log
    };

    const sim::ChartSimulator& current() const { return replay ? replay->simulator() : *simulator; }
    bool oracle(const sim::GuardQuestion& q);
    void run(int event); // -1: the start
    void rerun(std::vector<int> again, std::vector<std::vector<Given>> withAnswers);
    void record(const std::vector<sim::Explanation>& run, const std::vector<Given>& given);
    void recordDisagreement(const sim::TraceCheck& check);
    long stateShape(int state) const;
    std::vector<long> lineShapes(const std::string& traceLine) const;

    genchart::Chart model;
    std::unique_ptr<sim::ChartSimulator> simulator;
    std::unique_ptr<sim::TraceReplay> replay;
    std::vector<std::string> trace;
    GuardAsker askGuard;
    std::map<std::string, bool> remembered;
    std::vector<int> inputs;                      // what ran, in order; -1 is the start
    std::vector<std::vector<Given>> answers;      // the guard answers each input used
    std::vector<Given> given;                     // the answers of the input running now
    const std::vector<Given>* replayed = nullptr; // answers to give again, in order
    std::size_t nextReplayed = 0;
    std::vector<LogLine> lines;
    std::vector<sim::Explanation> last;
    SimMarks disagreement;
};
