#pragma once
// A trace written by a generated machine built with -g, replayed against the chart: the
// events are read back from the trace, each guard is taken to have answered as the trace
// shows, and the first line where the chart's semantics would have written something else is
// reported.

#include "generators/common/machine_chart.h"
#include "platform/kelmora_export.h"

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

} // namespace sim
