#pragma once
// A trace written by a generated machine built with -g, replayed against the chart: the
// events are read back from the trace, each guard is taken to have answered as the trace
// shows, and the first line where the chart's semantics would have written something else is
// reported.

#include "generators/common/machine_chart.h"
#include "generators/sim/chart_simulator.h"
#include "platform/kelmora_export.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct TraceCheck {
    bool agrees = true;
    int line = 0;         // 1-based line of the trace where they part
    std::string expected; // what the chart makes the machine write there, empty for nothing
    std::string found;    // what the trace holds there, empty at its end
    std::string message;  // one line for people, without the line number
};

KELMORA_API TraceCheck checkTrace(const genchart::Chart& chart,
                                  const std::vector<std::string>& trace);

// The same replay one start or event at a time, for a caller that shows each step: checkTrace
// is step() until it returns false.
class KELMORA_API TraceReplay {
public:
    TraceReplay(const genchart::Chart& chart, std::vector<std::string> trace);

    // Runs the start or the next event the trace shows and compares what it wrote; false once
    // the trace is used up or the two have parted (check() says which).
    bool step();
    const TraceCheck& check() const { return verdict; }
    bool done() const { return finished; }
    // The explanations of the last step, and the trace line it began at (1-based).
    const std::vector<Explanation>& lastRun() const { return run; }
    int lastLine() const { return runLine; }
    const ChartSimulator& simulator() const { return simulation; }

private:
    struct Firing {
        int source = cNone;
        int event = -1;
        int target = cNone; // cNone for "final"
    };
    std::optional<Firing> parseFiring(const std::string& line) const;
    std::optional<int> parseIgnored(const std::string& line) const;
    void skipDrops();
    bool compare();
    bool fail(TraceCheck failure);

    std::vector<std::string> lines;
    ChartSimulator simulation;
    std::optional<Firing> wanted;
    // Where the lines of the step's completion transitions may begin: a completion guard holds
    // when its firing line follows there, before the next event's line.
    std::size_t completionFrom = 0;
    bool completionFires(const GuardQuestion& q);
    std::size_t at = 0;
    std::vector<Explanation> run;
    int runLine = 0;
    TraceCheck verdict;
    bool finished = false;
};

} // namespace sim
