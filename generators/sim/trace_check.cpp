#include "generators/sim/trace_check.h"

#include "generators/sim/chart_simulator.h"

#include <optional>

namespace sim {

namespace {

// A "SOURCE -EVENT-> TARGET" line read with the chart's own names; states and events may
// hold blanks and dashes, so every split the chart allows is tried.
struct Firing {
    int source = cNone;
    int event = -1;
    int target = cNone; // cNone for "final"
};

std::optional<Firing> parseFiring(const genchart::Chart& chart, const std::string& line) {
    for (std::size_t s = 0; s < chart.states.size(); ++s) {
        const std::string& source = chart.states[s].className;
        if (line.rfind(source + " -", 0) != 0)
            continue;
        for (std::size_t e = 0; e < chart.events.size(); ++e) {
            const std::string head = source + " -" + chart.events[e].name + "-> ";
            if (line.rfind(head, 0) != 0)
                continue;
            const std::string target = line.substr(head.size());
            if (target == "final")
                return Firing{static_cast<int>(s), static_cast<int>(e), cNone};
            for (std::size_t t = 0; t < chart.states.size(); ++t)
                if (chart.states[t].className == target)
                    return Firing{static_cast<int>(s), static_cast<int>(e), static_cast<int>(t)};
        }
    }
    return std::nullopt;
}

std::optional<int> parseIgnored(const genchart::Chart& chart, const std::string& line) {
    for (const char* prefix : {"ignored: ", "ignored (finished): "}) {
        const std::string p = prefix;
        if (line.rfind(p, 0) == 0)
            for (std::size_t e = 0; e < chart.events.size(); ++e)
                if (line.substr(p.size()) == chart.events[e].name)
                    return static_cast<int>(e);
    }
    return std::nullopt;
}

bool isDrop(const std::string& line) {
    return line.rfind("dropped (queue full): ", 0) == 0;
}

} // namespace

TraceCheck checkTrace(const genchart::Chart& chart, const std::vector<std::string>& trace) {
    ChartSimulator simulator(chart);
    // Every event the machine processed shows in the trace, raised ones included, so the
    // replay sends them all itself and lets no action raise anything.
    simulator.setActionHook([](const Step&) { return std::vector<std::string>(); });
    std::optional<Firing> wanted;
    simulator.setGuardOracle([&](const GuardQuestion& q) {
        return wanted && q.state == wanted->source &&
               (q.branch.target == genchart::cFinal ? cNone : q.branch.target) == wanted->target;
    });

    TraceCheck check;
    std::size_t at = 0;
    const auto skipDrops = [&] {
        while (at < trace.size() && isDrop(trace[at]))
            ++at;
    };
    // Compares the lines the chart makes the machine write with the trace from `at` on.
    const auto compare = [&](const std::vector<Explanation>& run) {
        for (const Explanation& e : run)
            for (const std::string& expected : e.trace) {
                skipDrops();
                const std::string found = at < trace.size() ? trace[at] : std::string();
                if (found != expected) {
                    check = {false, static_cast<int>(at) + 1, expected, found,
                             "the chart gives \"" + expected + "\", the trace " +
                                 (at < trace.size() ? "has \"" + found + "\"" : "ends")};
                    return false;
                }
                ++at;
            }
        return true;
    };

    for (skipDrops(); at < trace.size(); skipDrops()) {
        if (!simulator.started() && trace[at].rfind("enter ", 0) == 0) {
            if (!compare(simulator.start()))
                return check;
            continue;
        }
        // The event is named by the first firing or ignored line from here.
        std::size_t look = at;
        std::optional<Firing> firing;
        std::optional<int> ignored;
        for (; look < trace.size(); ++look) {
            if ((firing = parseFiring(chart, trace[look])) ||
                (ignored = parseIgnored(chart, trace[look])))
                break;
            if (trace[look].rfind("exit ", 0) != 0 && !isDrop(trace[look]))
                break;
        }
        if (look == trace.size()) {
            check = {false,
                     static_cast<int>(look) + 1,
                     {},
                     {},
                     "the trace ends before the transition its last exits belong to"};
            return check;
        }
        if (!firing && !ignored) {
            check = {false,
                     static_cast<int>(look) + 1,
                     {},
                     trace[look],
                     "\"" + trace[look] + "\" is no line this chart's machine writes here"};
            return check;
        }
        wanted = firing;
        if (!compare(simulator.send(firing ? firing->event : *ignored)))
            return check;
    }
    check.message = "the trace agrees with the chart";
    return check;
}

} // namespace sim
