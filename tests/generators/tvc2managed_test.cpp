// tvc2java and tvc2cs run as the editor runs them, on one chart whose names test every rule:
// the class takes the model properties, compiles with warnings as errors, and a program of
// each language drives it through its idiomatic names, the enums, the observer and actions
// that throw; both programs must print the same lines.

#include "tests/generators/conformance_runner.h"
#include "tests/generators/managed_chart.h"
#include "tests/generators/managed_language.h"

namespace {

class ManagedGeneratorTest : public GeneratorTest,
                             public testing::WithParamInterface<const ManagedLanguage*> {
protected:
    const ManagedLanguage& lang = *GetParam();

    ProgramResult generate(std::vector<std::string> args) const {
        args.insert(args.begin(), lang.generator);
        return runProgram(args);
    }
};

// The context: note() prints its text and throws once when it is the armed one.
const char* const kJavaContext = R"(package com.example.door;
public class DoorContext {
    public String fail;
    public boolean ok() { return true; }
    public void note(String text) {
        System.out.println(text);
        if (text.equals(fail)) {
            fail = null;
            throw new IllegalStateException(text);
        }
    }
}
)";

const char* const kJavaMain = R"(package com.example.door;
public final class Main {
    static String ascii(String s) { return s.replaceAll("[^\\x20-\\x7e]", "?"); }
    static String in(doorTN m) {
        String list = "";
        for (doorTN.State s : doorTN.State.values())
            if (m.isIn(s))
                list += " " + ascii(s.chartName());
        return "in [" + ascii(m.activeState().chartName()) + "]" + list;
    }
    static String r(doorTN.Result r) { return r.name().toLowerCase(); }
    public static void main(String[] args) {
        final DoorContext ctx = new DoorContext();
        final doorTN m = new doorTN(ctx);
        final StringBuilder heard = new StringBuilder("heard");
        System.out.println("before start: " + r(m.goOn()) + ", " + in(m) + " " + m.isIn(doorTN.State.NONE));
        ctx.fail = "enter";
        try { m.start(); } catch (IllegalStateException e) { System.out.println("caught " + e.getMessage()); }
        System.out.println(in(m));
        m.setObserver(new doorTN.Observer() {
            @Override public void entered(doorTN.State s) { heard.append(" >" + ascii(s.chartName())); }
            @Override public void exited(doorTN.State s) { heard.append(" <" + ascii(s.chartName())); }
            @Override public void fired(doorTN.State s, doorTN.Event e, doorTN.State t) { heard.append(" " + e.chartName() + "/" + ascii(t.chartName())); }
            @Override public void finished() { heard.append(" finished"); }
            @Override public void ignored(doorTN.Event e) { heard.append(" ?" + ascii(e.chartName())); }
        });
        m.start();
        System.out.println(in(m));
        System.out.println("wait: " + r(m.wait_()) + ", " + in(m));
        ctx.fail = "exit \"a_b\"";
        try { m.next(); } catch (IllegalStateException e) { System.out.println("caught " + e.getMessage()); }
        System.out.println(in(m));
        System.out.println("next: " + r(m.next()) + ", " + in(m));
        System.out.println("odd: " + r(m.aU000a()) + " " + r(m.back()));
        System.out.println("class: " + r(m.class_()) + ", " + in(m) + ", then " + r(m.start_())
                           + r(m.getType()) + r(m.ctx_()) + r(m.dispatch_()) + r(m.nBer()));
        System.out.println("dispatch: " + r(m.dispatch(doorTN.Event.back)) + " "
                           + doorTN.Event.nBer.chartName().equals("\u00fcber") + " "
                           + doorTN.Event.goOn.chartName());
        System.out.println("quit: " + r(m.doorOpen()) + r(m.quit()) + ", " + in(m) + " " + m.isFinished() + " " + m.count());
        System.out.println(heard);
    }
}
)";

const char* const kCsContext = R"(namespace Example.Door {
    public class DoorContext {
        public string fail;
        public bool ok() { return true; }
        public void note(string text) {
            System.Console.Out.Write(text + "\n");
            if (text == fail) {
                fail = null;
                throw new System.InvalidOperationException(text);
            }
        }
    }
}
)";

const char* const kCsMain = R"(using System;
using Example.Door;
public static class Program {
    static string Ascii(string s) { return System.Text.RegularExpressions.Regex.Replace(s, "[^\\x20-\\x7e]", "?"); }
    static string In(UntitledTN m) {
        string list = "";
        foreach (UntitledTN.State s in Enum.GetValues(typeof(UntitledTN.State)))
            if (m.IsIn(s))
                list += " " + Ascii(UntitledTN.NameOf(s));
        return "in [" + Ascii(UntitledTN.NameOf(m.ActiveState)) + "]" + list;
    }
    static string R(UntitledTN.Result r) { return r.ToString().ToLowerInvariant(); }
    static void Say(string s) { Console.Out.Write(s + "\n"); }
    sealed class Heard : UntitledTN.Observer {
        public string text = "heard";
        public override void Entered(UntitledTN.State s) { text += " >" + Ascii(UntitledTN.NameOf(s)); }
        public override void Exited(UntitledTN.State s) { text += " <" + Ascii(UntitledTN.NameOf(s)); }
        public override void Fired(UntitledTN.State s, UntitledTN.Event e, UntitledTN.State t) { text += " " + UntitledTN.NameOf(e) + "/" + Ascii(UntitledTN.NameOf(t)); }
        public override void Finished() { text += " finished"; }
        public override void Ignored(UntitledTN.Event e) { text += " ?" + Ascii(UntitledTN.NameOf(e)); }
    }
    public static void Main() {
        var ctx = new DoorContext();
        var m = new UntitledTN(ctx);
        var heard = new Heard();
        Say("before start: " + R(m.GoOn()) + ", " + In(m) + " " + (m.IsIn(UntitledTN.State.None) ? "true" : "false"));
        ctx.fail = "enter";
        try { m.Start(); } catch (InvalidOperationException e) { Say("caught " + e.Message); }
        Say(In(m));
        m.SetObserver(heard);
        m.Start();
        Say(In(m));
        Say("wait: " + R(m.Wait()) + ", " + In(m));
        ctx.fail = "exit \"a_b\"";
        try { m.Next(); } catch (InvalidOperationException e) { Say("caught " + e.Message); }
        Say(In(m));
        Say("next: " + R(m.Next()) + ", " + In(m));
        Say("odd: " + R(m.AU000a()) + " " + R(m.Back()));
        Say("class: " + R(m.Class()) + ", " + In(m) + ", then " + R(m.Start_())
            + R(m.GetType_()) + R(m.Ctx()) + R(m.Dispatch_()) + R(m.NBer()));
        Say("dispatch: " + R(m.Dispatch(UntitledTN.Event.Back)) + " "
            + (UntitledTN.NameOf(UntitledTN.Event.NBer) == "\u00fcber" ? "true" : "false") + " "
            + UntitledTN.NameOf(UntitledTN.Event.GoOn));
        Say("quit: " + R(m.DoorOpen()) + R(m.Quit()) + ", " + In(m) + " " + (m.IsFinished ? "true" : "false") + " " + m.Count);
        Say(heard.text);
    }
}
)";

// What both programs print: the failed start and exit leave the machine as it was; names are
// the chart's; the observer hears everything after it is set, in order, and nothing of the
// rollback (the exit of a_b that threw is heard once, then again when it succeeds).
const char* const kExpected = R"(before start: ignored, in [] false
enter
caught enter
in []
enter
in [1st stop_Untitled] 1st stop_Untitled
a "quoted" line
wait: handled, in [a_b_a-b] a-b_Untitled a_b_a-b
exit "a_b"
caught exit "a_b"
in [a_b_a-b] a-b_Untitled a_b_a-b
exit "a_b"
next: handled, in [T?r */ \u000a_a-b] a-b_Untitled T?r */ \u000a_a-b
enter
odd: handled handled
class: handled, in [T?r */ \u000a_a-b] a-b_Untitled T?r */ \u000a_a-b, then ignoredignoredignoredignoredignored
enter
dispatch: handled true go on
bye
quit: handledhandled, in [] true 1
heard >1st stop_Untitled <1st stop_Untitled wait/a-b_Untitled >a-b_Untitled >a_b_a-b <a_b_a-b <a_b_a-b next/T?r */ \u000a_a-b >T?r */ \u000a_a-b <T?r */ \u000a_a-b a */ \u000a/T?r */ \u000a_a-b >T?r */ \u000a_a-b <T?r */ \u000a_a-b <a-b_Untitled back/1st stop_Untitled >1st stop_Untitled <1st stop_Untitled class/a-b_Untitled >a-b_Untitled >T?r */ \u000a_a-b ?Start ?GetType ?ctx ?dispatch ??ber <T?r */ \u000a_a-b <a-b_Untitled back/1st stop_Untitled >1st stop_Untitled <1st stop_Untitled door-open/a-b_Untitled >a-b_Untitled >T?r */ \u000a_a-b <T?r */ \u000a_a-b <a-b_Untitled quit/ finished
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
        // With -g the trace goes to standard error until the observer replaces it.
        EXPECT_EQ(run.err, trace ? "ignored: go on\nenter 1st stop_Untitled\n" : "");
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
