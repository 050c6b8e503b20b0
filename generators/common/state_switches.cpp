#include "generators/common/state_switches.h"

#include "generators/common/code_printer.h"

#include <sstream>
#include <string>

namespace genchart {

namespace {

// A template filled in for use inside another one.
std::string fill(std::string_view text, CodePrinter::Vars vars) {
    std::ostringstream out;
    CodePrinter(out).print(text, vars);
    return out.str();
}

template <typename Cases>
void writeSwitch(CodePrinter& p, std::string_view on, const Cases& cases) {
    p.print("switch ($on$) {\n", {{"on", on}});
    cases();
    p.print("}\n");
}

void writeCase(CodePrinter& p, const StepSyntax& syntax, int state) {
    p.print("case $s$:\n", {{"s", syntax.stateRef(state)}});
}

void writeTrace(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                const std::string& line) {
    if (chart.trace)
        p.print(syntax.trace, {{"line", syntax.literal(line)}});
}

void writeBreakDefault(CodePrinter& p) {
    p.print("default:\n"
            "    break;\n");
}

} // namespace

void writeEnterSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                      std::string_view s) {
    writeSwitch(p, s, [&] {
        for (std::size_t i = 0; i < chart.states.size(); ++i) {
            const State& state = chart.states[i];
            // Without tracing, a state with nothing to run is left to the default.
            if (!chart.trace && state.entryFn.empty())
                continue;
            writeCase(p, syntax, static_cast<int>(i));
            auto inCase = p.indent();
            writeTrace(p, chart, syntax, "enter " + state.className);
            if (!state.entryFn.empty())
                p.print(syntax.call, {{"fn", state.entryFn}});
            p.print("break;\n");
        }
        writeBreakDefault(p);
    });
}

void writeExitSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                     std::string_view s, std::string_view child) {
    writeSwitch(p, s, [&] {
        for (std::size_t i = 0; i < chart.states.size(); ++i) {
            const State& state = chart.states[i];
            if (!chart.trace && state.exitFn.empty() && !state.history)
                continue;
            writeCase(p, syntax, static_cast<int>(i));
            auto inCase = p.indent();
            if (state.history)
                p.print(syntax.setHistory, {{"id", state.id}, {"child", child}});
            writeTrace(p, chart, syntax, "exit " + state.className);
            if (!state.exitFn.empty())
                p.print(syntax.call, {{"fn", state.exitFn}});
            p.print("break;\n");
        }
        writeBreakDefault(p);
    });
}

void writeParentSwitch(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                       std::string_view s) {
    writeSwitch(p, s, [&] {
        for (std::size_t i = 0; i < chart.states.size(); ++i) {
            const State& state = chart.states[i];
            if (state.children.empty())
                continue;
            for (int child : state.children)
                writeCase(p, syntax, child);
            p.print("    return $parent$;\n", {{"parent", syntax.stateRef(static_cast<int>(i))}});
        }
        p.print("default:\n"
                "    return $none$;\n",
                {{"none", syntax.stateRef(cTopLevel)}});
    });
}

void writeDefaultEntry(CodePrinter& p, const Chart& chart, const StepSyntax& syntax) {
    const std::string none = syntax.stateRef(cTopLevel);
    p.print("for (;;) {\n");
    {
        auto inLoop = p.indent();
        p.print("$type$ next = $none$;\n", {{"type", syntax.stateType}, {"none", none}});
        writeSwitch(p, syntax.active, [&] {
            for (std::size_t i = 0; i < chart.states.size(); ++i) {
                const State& state = chart.states[i];
                if (state.initial < 0 && !state.history)
                    continue;
                writeCase(p, syntax, static_cast<int>(i));
                auto inCase = p.indent();
                const std::string history = fill(syntax.history, {{"id", state.id}});
                const std::string initial = syntax.stateRef(state.initial);
                const CodePrinter::Vars v = {
                    {"history", history}, {"none", none}, {"initial", initial}};
                // A history not yet set falls back to the initial state, where there is one.
                if (state.history && state.initial >= 0)
                    p.print("next = $history$ != $none$ ? $history$ : $initial$;\n", v);
                else if (state.history)
                    p.print("next = $history$;\n", v);
                else
                    p.print("next = $initial$;\n", v);
                p.print("break;\n");
            }
            writeBreakDefault(p);
        });
        p.print("if (next == $none$)\n"
                "    return;\n",
                {{"none", none}});
        p.print(syntax.enter, {{"s", "next"}});
    }
    p.print("}\n");
}

void writeKnownDefaultEntry(CodePrinter& p, const Chart& chart, const StepSyntax& syntax,
                            std::string_view entered, int state) {
    const State& s = chart.states[static_cast<std::size_t>(state)];
    const auto enter = [&](int child) {
        const std::string ref = syntax.stateRef(child);
        p.print(syntax.setActive, {{"s", ref}});
        p.print(entered, {{"s", ref}});
        const std::string& fn = chart.states[static_cast<std::size_t>(child)].entryFn;
        if (!fn.empty())
            p.print(syntax.call, {{"fn", fn}});
        writeKnownDefaultEntry(p, chart, syntax, entered, child);
    };
    if (!s.history) {
        if (s.initial >= 0)
            enter(s.initial);
        return;
    }
    writeSwitch(p, fill(syntax.history, {{"id", s.id}}), [&] {
        for (const int child : s.children) {
            writeCase(p, syntax, child);
            auto inCase = p.indent();
            enter(child);
            p.print("break;\n");
        }
        p.print("default:\n");
        auto inCase = p.indent();
        if (s.initial >= 0)
            enter(s.initial);
        p.print("break;\n");
    });
}

void writeCompletionLoop(CodePrinter& p, const Chart& chart, const StepSyntax& syntax) {
    const std::string none = syntax.stateRef(cTopLevel);
    const CodePrinter::Vars v = {{"type", syntax.stateType},
                                 {"completing", syntax.completing},
                                 {"active", syntax.active},
                                 {"none", none}};
    p.print("for (;;) {\n");
    {
        auto inLoop = p.indent();
        p.print("$type$ region = $completing$;\n", v);
        p.print(syntax.complete, {{"s", none}});
        writeSwitch(p, fill("region != $none$ ? region : $active$", v), [&] {
            for (std::size_t i = 0; i < chart.states.size(); ++i) {
                const State& state = chart.states[i];
                if (state.completion.empty())
                    continue;
                writeCase(p, syntax, static_cast<int>(i));
                auto inCase = p.indent();
                // A composite completes only through a final state, never by being entered.
                const std::string call = fill(syntax.completeCall, {{"fn", state.completeFn}});
                p.print(state.children.empty() ? "if ($call$)\n"
                                               : "if (region != $none$ && $call$)\n",
                        {{"call", call}, {"none", none}});
                p.print("    continue;\n"
                        "break;\n");
            }
            writeBreakDefault(p);
        });
        p.print("return;\n");
    }
    p.print("}\n");
}

void writeSearchSwitch(CodePrinter& p, const Chart& chart, const Event* event, std::string_view e,
                       const StepSyntax& syntax) {
    writeSwitch(p, syntax.active, [&] {
        for (std::size_t i = 0; i < chart.states.size(); ++i) {
            std::string condition;
            for (int s : searchChain(chart, static_cast<int>(i), event))
                condition +=
                    (condition.empty() ? "" : " || ") +
                    fill(syntax.react,
                         {{"fn", chart.states[static_cast<std::size_t>(s)].reactFn}, {"e", e}});
            if (condition.empty())
                continue;
            writeCase(p, syntax, static_cast<int>(i));
            p.print("    fired = $condition$;\n"
                    "    break;\n",
                    {{"condition", condition}});
        }
        writeBreakDefault(p);
    });
}

void writeFlatCases(CodePrinter& p, const Chart& chart, const Event& event,
                    const FlatSyntax& syntax) {
    const int index = static_cast<int>(&event - chart.events.data());
    for (std::size_t i = 0; i < chart.states.size(); ++i) {
        const int active = static_cast<int>(i);
        const std::vector<int> chain = searchChain(chart, active, &event);
        if (chain.empty())
            continue;
        p.print("case $s$:\n", {{"s", syntax.stateRef(active)}});
        auto inCase = p.indent();
        bool ended = false; // an unguarded branch fires for sure: nothing after it runs
        for (const int source : chain)
            for (const EventGroup& group : chart.states[static_cast<std::size_t>(source)].events) {
                if (group.event != index)
                    continue;
                for (const Branch& branch : group.branches) {
                    if (ended)
                        break;
                    const std::string target =
                        branch.target == cFinal
                            ? std::string("final")
                            : syntax.commentText(
                                  chart.states[static_cast<std::size_t>(branch.target)].className);
                    p.print(
                        syntax.comment,
                        {{"source", syntax.commentText(
                                        chart.states[static_cast<std::size_t>(source)].className)},
                         {"event", syntax.commentText(event.name)},
                         {"target", target}});
                    if (branch.guardFn.empty()) {
                        syntax.writeSteps(p, source, branch, active);
                        p.print(syntax.fired);
                        ended = true;
                        continue;
                    }
                    p.print(syntax.guarded, {{"guard", branch.guardFn}});
                    {
                        auto body = p.indent();
                        syntax.writeSteps(p, source, branch, active);
                        p.print(syntax.fired);
                        p.print("break;\n");
                    }
                    p.print("}\n");
                }
            }
        p.print("break;\n");
    }
}

} // namespace genchart
