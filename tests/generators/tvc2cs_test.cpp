// tvc2cs run as the editor runs it: the class takes the model properties' namespace, context
// and declarations and compiles without warnings under mcs -warnaserror.

#include "tests/generators/managed_chart.h"

namespace {

class Tvc2csTest : public GeneratorTest {
protected:
    static ProgramResult tvc2cs(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2CS);
        return runProgram(args);
    }
    ProgramResult compile(const std::vector<std::string>& sources) const {
        std::vector<std::string> args = {"mcs", "-warnaserror", "-warn:4", "-target:library",
                                         "-out:" + (dir / "machine.dll").string()};
        args.insert(args.end(), sources.begin(), sources.end());
        return runProgram(args);
    }
};

} // namespace

TEST_F(Tvc2csTest, TheClassTakesTheModelPropertiesAndCompilesWithoutWarnings) {
    saveManagedChart(dir / "door.tvc", [](ModelProperties& p) {
        p.ctxNameCSharp = "DoorContext";
        p.ctxPackageCSharp = "Example.Door";
        p.declCSharp =
            "private int count;\r\n\r\npublic int Count {\r\n    get { return count; }\r\n}";
    });
    const std::string context = (dir / "DoorContext.cs").string();
    std::ofstream(context)
        << "namespace Example.Door {\n"
           "    public class DoorContext {\n"
           "        public bool ok() { return true; }\n"
           "        public void note(string text) { System.Console.WriteLine(text); }\n"
           "    }\n"
           "}\n";
    for (const bool trace : {false, true}) {
        SCOPED_TRACE(trace ? "-g" : "");
        const ProgramResult r =
            tvc2cs(trace ? std::vector<std::string>{"-d", "-g", dir / "door.tvc"}
                         : std::vector<std::string>{"-d", dir / "door.tvc"});
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.err, "");
        const std::string source = slurp(dir / "doorTN.cs");
        EXPECT_EQ(source.find("trace_") != std::string::npos, trace);
        for (const char* text :
             {"\nnamespace Example.Door {\n", "\n    public sealed class UntitledTN {\n",
              "        public UntitledTN(DoorContext ctx) : this(ctx, QueueSize) {\n",
              "        private int count;\n", "        public void wait() {\n",
              "        public void class_() {\n", "        public void Start_() {\n",
              "        public void GetType_() {\n", "        public void start() {\n"})
            EXPECT_NE(source.find(text), std::string::npos) << text << "\n" << source;
        const ProgramResult mcs = compile({context, (dir / "doorTN.cs").string()});
        EXPECT_EQ(mcs.status, 0) << mcs.out << mcs.err;
    }
    EXPECT_EQ(files(),
              (std::set<std::string>{"door.tvc", "doorTN.cs", "DoorContext.cs", "machine.dll"}));
}

// A chart without any code never reads its context; C# would warn about that field.
TEST_F(Tvc2csTest, AChartWithoutCodeCompilesToo) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    auto* b = chart.state({100, 10, 140, 40}, "B");
    chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), a, NODE(3, 1));
    chart.label(chart.connect(a, NODE(2, 2), b, NODE(4, 2)), "go");
    chart.properties().name = "Bare";
    chart.properties().ctxNameCSharp = "object";
    chart.save(dir / "bare.tvc");
    ASSERT_EQ(tvc2cs({"-d", (dir / "bare.tvc").string()}).status, 0);
    const ProgramResult mcs = compile({(dir / "bareTN.cs").string()});
    EXPECT_EQ(mcs.status, 0) << mcs.out << mcs.err;
}
