#include "generators/sim/explanation_text.h"

#include "generators/common/json_text.h"

namespace sim {

namespace {

const std::string& nameOf(const genchart::Chart& chart, int state) {
    static const std::string none;
    return state == cNone ? none : chart.states[static_cast<std::size_t>(state)].className;
}

const std::string& eventName(const genchart::Chart& chart, int event) {
    static const std::string start = "start";
    return event == cCompletion ? chart.completion.name
           : event < 0          ? start
                                : chart.events[static_cast<std::size_t>(event)].name;
}

std::string targetName(const genchart::Chart& chart, int target) {
    return target < 0 ? "final" : nameOf(chart, target);
}

const char* kindName(Step::Kind kind) {
    switch (kind) {
    case Step::Exit:
        return "exit";
    case Step::Fire:
        return "fire";
    case Step::Effect:
        return "effect";
    case Step::Entry:
        return "entry";
    case Step::DefaultEntry:
        return "default entry";
    case Step::HistoryEntry:
        return "history entry";
    case Step::Finish:
        return "finish";
    case Step::Complete:
        return "complete";
    case Step::CompletionGuard:
        return "completion guard";
    }
    return "";
}

using jsontext::quoted;

// The action's text on one line, for an explanation line.
std::string oneLine(const std::string& code) {
    std::string line;
    for (const char c : code) {
        if (c == '\r')
            continue;
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

} // namespace

std::string describe(const genchart::Chart& chart, const Candidate& candidate, int event) {
    std::string text = nameOf(chart, candidate.state) + " -" + eventName(chart, event) + "-> " +
                       targetName(chart, candidate.branch->target);
    if (!candidate.branch->guard.empty())
        text += " [" + oneLine(candidate.branch->guard) + "]";
    return text;
}

std::string verdictText(const Candidate& candidate) {
    switch (candidate.verdict) {
    case Candidate::Fired:
        return candidate.guardAsked ? "guard true, fired" : "fired";
    case Candidate::GuardFalse:
        return "guard false";
    case Candidate::NotReached:
        return "not tried: an earlier transition of the state fired";
    case Candidate::Shadowed:
        return "not tried: an inner state fired";
    }
    return "";
}

std::vector<std::string> explanationLines(const genchart::Chart& chart,
                                          const Explanation& explanation) {
    std::vector<std::string> lines;
    std::string head =
        explanation.event < 0 ? "start" : "event " + eventName(chart, explanation.event);
    head += std::string(": ") + resultName(explanation.result);
    if (explanation.result == Result::Ignored)
        head += explanation.wasFinished          ? " (the machine has finished)"
                : explanation.candidates.empty() ? " (no active state takes it)"
                                                 : " (no guard held)";
    lines.push_back(head);
    for (const Candidate& c : explanation.candidates)
        lines.push_back("  try " + describe(chart, c, explanation.event) + " (depth " +
                        std::to_string(c.depth) + ", #" + std::to_string(c.position + 1) +
                        "): " + verdictText(c));
    for (const Step& step : explanation.steps) {
        std::string line = std::string("  ") + kindName(step.kind);
        if (step.kind == Step::Fire)
            line += " " + step.trace;
        else if (step.kind == Step::Complete)
            line +=
                " " + nameOf(chart, step.state) + ": its transitions without an event are tried";
        else if (step.kind == Step::CompletionGuard)
            line += " " + nameOf(chart, step.state) + " --> " + targetName(chart, step.target) +
                    " [" + oneLine(step.code) + "]: " + (step.answer ? "true" : "false");
        else if (step.state != cNone)
            line += " " + nameOf(chart, step.state);
        if (!step.code.empty() && step.kind != Step::CompletionGuard)
            line += ": " + oneLine(step.code);
        lines.push_back(line);
    }
    for (const Raise& r : explanation.raised)
        lines.push_back("  raised " + eventName(chart, r.event) + ": " + resultName(r.result));
    return lines;
}

std::string explanationJson(const genchart::Chart& chart, const Explanation& explanation) {
    std::string json = "{\"event\":" + quoted(eventName(chart, explanation.event)) +
                       ",\"result\":" + quoted(resultName(explanation.result)) +
                       ",\"finished\":" + (explanation.wasFinished ? "true" : "false") +
                       ",\"candidates\":[";
    for (std::size_t i = 0; i < explanation.candidates.size(); ++i) {
        const Candidate& c = explanation.candidates[i];
        json += std::string(i ? "," : "") + "{\"state\":" + quoted(nameOf(chart, c.state)) +
                ",\"depth\":" + std::to_string(c.depth) +
                ",\"position\":" + std::to_string(c.position) +
                ",\"target\":" + quoted(targetName(chart, c.branch->target)) +
                ",\"guard\":" + quoted(c.branch->guard) +
                ",\"guardAsked\":" + (c.guardAsked ? "true" : "false") +
                ",\"guardAnswer\":" + (c.guardAnswer ? "true" : "false") +
                ",\"verdict\":" + quoted(verdictText(c)) + "}";
    }
    json += "],\"steps\":[";
    for (std::size_t i = 0; i < explanation.steps.size(); ++i) {
        const Step& s = explanation.steps[i];
        json += std::string(i ? "," : "") + "{\"kind\":" + quoted(kindName(s.kind)) +
                ",\"state\":" + quoted(nameOf(chart, s.state));
        if (s.kind == Step::Fire || s.kind == Step::CompletionGuard)
            json += ",\"target\":" + quoted(targetName(chart, s.target));
        if (s.kind == Step::CompletionGuard)
            json += std::string(",\"answer\":") + (s.answer ? "true" : "false");
        json += ",\"code\":" + quoted(s.code) + "}";
    }
    json += "],\"raised\":[";
    for (std::size_t i = 0; i < explanation.raised.size(); ++i)
        json += std::string(i ? "," : "") +
                "{\"event\":" + quoted(eventName(chart, explanation.raised[i].event)) +
                ",\"result\":" + quoted(resultName(explanation.raised[i].result)) + "}";
    json += "],\"trace\":[";
    for (std::size_t i = 0; i < explanation.trace.size(); ++i)
        json += std::string(i ? "," : "") + quoted(explanation.trace[i]);
    return json + "]}";
}

} // namespace sim
