#include "generators/sim/trace_check.h"

namespace sim {

namespace {

bool isDrop(const std::string& line) {
    return line.rfind("dropped (queue full): ", 0) == 0;
}

} // namespace

TraceReplay::TraceReplay(const genchart::Chart& chart, std::vector<std::string> trace)
    : lines(std::move(trace)), simulation(chart) {
    // Every event the machine processed shows in the trace, raised ones included, so the
    // replay sends them all itself and lets no action raise anything.
    simulation.setActionHook([](const Step&) { return std::vector<std::string>(); });
    simulation.setGuardOracle([this](const GuardQuestion& q) {
        if (q.event == cCompletion)
            return completionFires(q);
        return wanted && q.state == wanted->source &&
               (q.branch.target == genchart::cFinal ? cNone : q.branch.target) == wanted->target;
    });
    verdict.message = "the trace agrees with the chart";
}

// A "SOURCE -EVENT-> TARGET" line read with the chart's own names; states and events may
// hold blanks and dashes, so every split the chart allows is tried.
std::optional<TraceReplay::Firing> TraceReplay::parseFiring(const std::string& line) const {
    const genchart::Chart& chart = simulation.chart();
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

bool TraceReplay::completionFires(const GuardQuestion& q) {
    const genchart::Chart& chart = simulation.chart();
    const std::string line =
        chart.states[static_cast<std::size_t>(q.state)].className + " --> " +
        (q.branch.target == genchart::cFinal
             ? std::string("final")
             : chart.states[static_cast<std::size_t>(q.branch.target)].className);
    for (std::size_t i = completionFrom; i < lines.size(); ++i) {
        if (parseFiring(lines[i]) || parseIgnored(lines[i]))
            return false;
        if (lines[i] == line) {
            completionFrom = i + 1;
            return true;
        }
    }
    return false;
}

std::optional<int> TraceReplay::parseIgnored(const std::string& line) const {
    const genchart::Chart& chart = simulation.chart();
    for (const char* prefix : {"ignored: ", "ignored (finished): "}) {
        const std::string p = prefix;
        if (line.rfind(p, 0) == 0)
            for (std::size_t e = 0; e < chart.events.size(); ++e)
                if (line.substr(p.size()) == chart.events[e].name)
                    return static_cast<int>(e);
    }
    return std::nullopt;
}

void TraceReplay::skipDrops() {
    while (at < lines.size() && isDrop(lines[at]))
        ++at;
}

bool TraceReplay::fail(TraceCheck failure) {
    verdict = std::move(failure);
    finished = true;
    return false;
}

// Compares the lines the chart makes the machine write with the trace from `at` on.
bool TraceReplay::compare() {
    for (const Explanation& e : run)
        for (const std::string& expected : e.trace) {
            skipDrops();
            const std::string found = at < lines.size() ? lines[at] : std::string();
            if (found != expected)
                return fail({false, static_cast<int>(at) + 1, expected, found,
                             "the chart gives \"" + expected + "\", the trace " +
                                 (at < lines.size() ? "has \"" + found + "\"" : "ends")});
            ++at;
        }
    return true;
}

bool TraceReplay::step() {
    run.clear();
    if (finished)
        return false;
    skipDrops();
    if (at >= lines.size()) {
        finished = true;
        return false;
    }
    runLine = static_cast<int>(at) + 1;
    if (!simulation.started() && lines[at].rfind("enter ", 0) == 0) {
        completionFrom = at;
        run = simulation.start();
        return compare();
    }
    // The event is named by the first firing or ignored line from here.
    std::size_t look = at;
    std::optional<Firing> firing;
    std::optional<int> ignored;
    for (; look < lines.size(); ++look) {
        if ((firing = parseFiring(lines[look])) || (ignored = parseIgnored(lines[look])))
            break;
        if (lines[look].rfind("exit ", 0) != 0 && !isDrop(lines[look]))
            break;
    }
    if (look == lines.size())
        return fail({false,
                     static_cast<int>(look) + 1,
                     {},
                     {},
                     "the trace ends before the transition its last exits belong to"});
    if (!firing && !ignored)
        return fail({false,
                     static_cast<int>(look) + 1,
                     {},
                     lines[look],
                     "\"" + lines[look] + "\" is no line this chart's machine writes here"});
    wanted = firing;
    completionFrom = look + 1;
    run = simulation.send(firing ? firing->event : *ignored);
    return compare();
}

TraceCheck checkTrace(const genchart::Chart& chart, const std::vector<std::string>& trace) {
    TraceReplay replay(chart, trace);
    while (replay.step()) {
    }
    return replay.check();
}

} // namespace sim
