#pragma once
// A chart for the Java and C# generators' own tests: events named like keywords, inherited
// members and the machine's API, names that are no ASCII or hold comment and escape
// characters, a guard ending in a comment, an effect that uses the class's own declarations,
// history and final states. The context it names has ok() and note(text); `extraEffect` is
// code in the language's own syntax that runs as part of the first wait's effect.

#include "tests/generators/generator_fixture.h"

inline void saveManagedChart(const std::filesystem::path& path,
                             void (*setProperties)(ModelProperties&),
                             const std::string& extraEffect = "") {
    TestChart chart;
    auto* first = chart.state({10, 10, 60, 40}, "1st stop", "ctx.note(\"enter\");");
    auto* box = chart.state({100, 10, 300, 120}, "a-b");
    box->setHistory(true);
    auto* inner = chart.state({120, 50, 170, 80}, "a_b", "", "ctx.note(\"exit \\\"a_b\\\"\");");
    auto* other = chart.state({200, 50, 250, 80}, "T\xc3\xbcr */ \\u000a");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), first, NODE(3, 1));
    chart.connect(chart.initial({105, 15, 109, 19}), NODE(3, 1), inner, NODE(1, 1));
    for (const char* event :
         {"wait", "class", "go on", "Start", "GetType", "ctx", "dispatch", "door-open",
          "\xc3\xbc"
          "ber"})
        chart.label(chart.connect(first, NODE(2, 2), box, NODE(4, 2)), event, "ctx.ok()");
    chart.label(chart.connect(first, NODE(2, 3), box, NODE(4, 3)), "wait",
                "count >= 0 && ctx.ok() // the first",
                "count++;\r\n\r\nctx.note(\"a \\\"quoted\\\" line\");" + extraEffect);
    chart.label(chart.connect(inner, NODE(2, 2), other, NODE(4, 2)), "next");
    chart.label(chart.connect(other, NODE(2, 3), other, NODE(4, 3)), "a */ \\u000a");
    chart.label(
        chart.connect(other, NODE(2, 2), chart.finalState({280, 100, 284, 104}), NODE(4, 1)),
        "done");
    chart.label(chart.connect(box, NODE(3, 2), chart.finalState({400, 10, 404, 14}), NODE(4, 1)),
                "quit", "", "ctx.note(\"bye\");");
    chart.label(chart.connect(box, NODE(3, 3), first, NODE(1, 3)), "back");
    setProperties(chart.properties());
    chart.properties().name = "Untitled";
    chart.save(path);
}
