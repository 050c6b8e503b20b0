// tvc2java and tvc2cs run as the editor runs them, on one chart whose names test every rule:
// the class takes the model properties, compiles with warnings as errors, and a program of
// each language drives it through its idiomatic names and enums; both print the same lines.

#include "tests/generators/conformance_runner.h"
#include "tests/generators/managed_language.h"

namespace {

// A chart for the Java and C# generators' own tests: events named like keywords, inherited
// members and the machine's API, names that are no ASCII or hold comment and escape
// characters, a guard ending in a comment, an effect that uses the class's own declarations,
// history and final states. The context it names has ok() and note(text); `extraEffect` is
// code in the language's own syntax that runs as part of the first wait's effect.
void saveManagedChart(const std::filesystem::path& path, void (*setProperties)(ModelProperties&),
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

class ManagedGeneratorTest : public GeneratorTest,
                             public testing::WithParamInterface<const ManagedLanguage*> {
protected:
    const ManagedLanguage& lang = *GetParam();

    ProgramResult generate(std::vector<std::string> args) const {
        args.insert(args.begin(), lang.generator);
        return runProgram(args);
    }
};

const char* const kJavaContext = R"(package com.example.door;
public class DoorContext {
    public boolean ok() { return true; }
    public void note(String text) { System.out.println(text); }
}
)";

// Observers, actions that throw and state queries are the conformance runners' part.
const char* const kJavaMain = R"(package com.example.door;
public final class Main {
    static String r(doorTN.Result r) { return r.name().toLowerCase(); }
    public static void main(String[] args) {
        final doorTN m = new doorTN(new DoorContext());
        m.start();
        System.out.println("wait: " + r(m.wait_()) + " " + m.activeState().chartName());
        System.out.println("next: " + r(m.next()) + r(m.aU000a()) + r(m.back()));
        System.out.println("class: " + r(m.class_()) + ", then " + r(m.start_()) + r(m.getType())
                           + r(m.ctx_()) + r(m.dispatch_()) + r(m.nBer()));
        System.out.println("dispatch: " + r(m.dispatch(doorTN.Event.back)) + " "
                           + doorTN.Event.nBer.chartName().equals("\u00fcber") + " "
                           + doorTN.Event.goOn.chartName());
        System.out.println("quit: " + r(m.doorOpen()) + r(m.quit()) + " " + m.isFinished() + " " + m.count());
    }
}
)";

const char* const kCsContext = R"(namespace Example.Door {
    public class DoorContext {
        public bool ok() { return true; }
        public void note(string text) { System.Console.Out.Write(text + "\n"); }
    }
}
)";

const char* const kCsMain = R"(using System;
using Example.Door;
public static class Program {
    static string R(UntitledTN.Result r) { return r.ToString().ToLowerInvariant(); }
    static void Say(string s) { Console.Out.Write(s + "\n"); }
    public static void Main() {
        var m = new UntitledTN(new DoorContext());
        m.Start();
        Say("wait: " + R(m.Wait()) + " " + UntitledTN.NameOf(m.ActiveState));
        Say("next: " + R(m.Next()) + R(m.AU000a()) + R(m.Back()));
        Say("class: " + R(m.Class()) + ", then " + R(m.Start_()) + R(m.GetType_()) + R(m.Ctx())
            + R(m.Dispatch_()) + R(m.NBer()));
        Say("dispatch: " + R(m.Dispatch(UntitledTN.Event.Back)) + " "
            + (UntitledTN.NameOf(UntitledTN.Event.NBer) == "\u00fcber" ? "true" : "false") + " "
            + UntitledTN.NameOf(UntitledTN.Event.GoOn));
        Say("quit: " + R(m.DoorOpen()) + R(m.Quit()) + " " + (m.IsFinished ? "true" : "false") + " " + m.Count);
    }
}
)";

// What both programs print: names are the chart's, history brings back the state left, and
// the keyword and inherited names reach their own events.
const char* const kExpected = R"(enter
a "quoted" line
wait: handled a_b_a-b
exit "a_b"
enter
next: handledhandledhandled
class: handled, then ignoredignoredignoredignoredignored
enter
dispatch: handled true go on
bye
quit: handledhandled true 1
)";

void javaProperties(ModelProperties& p) {
    p.ctxNameJAVA = "DoorContext";
    p.ctxPackageJAVA = "com.example.door";
    p.declJAVA = "private int count;\r\n\r\npublic int count() {\r\n    return count;\r\n}";
}

void csProperties(ModelProperties& p) {
    p.ctxNameCSharp = "DoorContext";
    p.ctxPackageCSharp = "Example.Door";
    p.declCSharp = "private int count;\r\n\r\npublic int Count {\r\n    get { return count; }\r\n}";
}

} // namespace

TEST_P(ManagedGeneratorTest, TheMachineCompilesAndBehavesThroughItsIdiomaticApi) {
    // C# directives in an effect stand on lines of their own.
    saveManagedChart(dir / "door.tvc", lang.java() ? javaProperties : csProperties,
                     lang.java() ? "" : "\n#if TAVREN_NEVER\nthis is no code\n#endif");
    const auto context = dir / (lang.java() ? "DoorContext.java" : "DoorContext.cs");
    const auto main = dir / (lang.java() ? "Main.java" : "Main.cs");
    std::ofstream(context) << (lang.java() ? kJavaContext : kCsContext);
    std::ofstream(main) << (lang.java() ? kJavaMain : kCsMain);
    const auto source = dir / (std::string("door") + lang.suffix);
    std::string traced;
    for (const bool trace : {false, true}) {
        SCOPED_TRACE(trace ? "-g" : "plain");
        const ProgramResult r =
            generate(trace ? std::vector<std::string>{"-d", "-g", dir / "door.tvc"}
                           : std::vector<std::string>{"-d", dir / "door.tvc"});
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.err, "");
        const ProgramResult built =
            lang.compile({context.string(), main.string(), source.string()}, dir / "out");
        ASSERT_EQ(built.status, 0) << built.out << built.err;
        const ProgramResult run = runProgram(lang.run(dir / "out", "com.example.door.Main"));
        EXPECT_EQ(run.status, 0) << run.err;
        expectSameLines(splitLines(run.out), splitLines(kExpected));
        EXPECT_EQ(run.err.empty(), !trace) << "-g traces to standard error";
        if (trace)
            traced = slurp(source);
    }
    // The same chart gives the same bytes.
    ASSERT_EQ(generate({"-d", "-g", (dir / "door.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(source), traced);
}

// Java: a file name that is no identifier cannot hold a public class; the class stays in its
// package under the name made an identifier. C#: a chart without code never reads its
// context, about which C# would warn.
TEST_P(ManagedGeneratorTest, OddFileNamesAndChartsWithoutCodeCompile) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    auto* b = chart.state({100, 10, 140, 40}, "B");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), a, NODE(3, 1));
    chart.label(chart.connect(a, NODE(2, 2), b, NODE(4, 2)), "go");
    chart.properties().name = "Bare";
    chart.properties().ctxNameCSharp = "object";
    chart.properties().ctxNameJAVA = "Object";
    chart.save(dir / "my bare.tvc");
    ASSERT_EQ(generate({"-d", (dir / "my bare.tvc").string()}).status, 0);
    EXPECT_EQ(files(),
              (std::set<std::string>{"my bare.tvc", "my bare" + std::string(lang.suffix)}));
    const ProgramResult built =
        lang.compile({(dir / ("my bare" + std::string(lang.suffix))).string()}, dir / "out", true);
    EXPECT_EQ(built.status, 0) << built.out << built.err;
    if (lang.java()) {
        EXPECT_TRUE(std::filesystem::exists(dir / "out" / "my_bareTN.class"));
    }
}

INSTANTIATE_TEST_SUITE_P(, ManagedGeneratorTest, testing::Values(&kJava, &kCSharp), languageName);
