#pragma once
// What the simulator found, written for people (indented lines) and for tools (one JSON
// object per explanation).

#include "generators/sim/chart_simulator.h"
#include "platform/kelmora_export.h"

#include <string>
#include <vector>

namespace sim {

// "A -go-> B [guard]": a transition as the trace and the chart name it.
KELMORA_API std::string describe(const genchart::Chart& chart, const Candidate& candidate,
                                 int event);
// Why the candidate fired or did not: "fired", "guard false", ...
KELMORA_API std::string verdictText(const Candidate& candidate);

KELMORA_API std::vector<std::string> explanationLines(const genchart::Chart& chart,
                                                      const Explanation& explanation);
KELMORA_API std::string explanationJson(const genchart::Chart& chart,
                                        const Explanation& explanation);

} // namespace sim
