// Every example chart generates Java that compiles under javac -Xlint:all -Werror and C# that
// compiles under mcs -warnaserror. The examples' actions are written for a C++ context: free
// functions and objects (lamp(RED), motor.open()) that Java and C# cannot reach. Each copy
// gets the language's declarations of those names, so the code reads the same in all three;
// two tiny classes per language declare what they stand for, and the context.

#include "tests/generators/generator_fixture.h"
#include "tests/generators/managed_language.h"

#include <iostream>

namespace {

struct Example {
    const char* file;
    bool csharp; // false: its actions are no C# (lock is a keyword there: lock.engage())
};

const Example kExamples[] = {{"door.tvc", false},
                             {"traffic_light.tvc", true},
                             {"media_player.tvc", true},
                             {"history.tvc", false},
                             {"Socket_C++/connection.tvc", true}};

struct Support {
    const char* declarations; // in the machine class
    const char* devices;      // class Dev
    const char* context;      // class Context
};

const Support kJavaSupport = {
    "static final int FAST = 2, SLOW = 1, RED = 1, AMBER = 2, GREEN = 4;\n"
    "final Dev motor = new Dev(), lock = new Dev(), buzzer = new Dev(), sensor = new Dev(),\n"
    "    timer = new Dev(), display = new Dev(), door = new Dev(), drum = new Dev(),\n"
    "    pump = new Dev(), valve = new Dev(), amp = new Dev(), player = new Dev();\n"
    "void log(String text) {}\n"
    "void lamp(int lamps) {}\n"
    "void walk(boolean on) {}\n",
    R"(class Dev {
    boolean engaged() { return false; }
    boolean blocked() { return false; }
    boolean closed() { return true; }
    boolean hasMedia() { return true; }
    void open() {}
    void close() {}
    void stop() {}
    void engage() {}
    void release() {}
    void beep() {}
    void start() {}
    void start(int seconds) {}
    void lock() {}
    void unlock() {}
    void turn(int speed) {}
    void on() {}
    void off() {}
    void show(String text) {}
    void blink(boolean on) {}
    void powerUp() {}
    void powerDown() {}
    void hold() {}
    void resume() {}
    void rewind() {}
    void speed(int factor) {}
}
)",
    R"(class Context {
    void clearRequest() {}
    void rememberRequest() {}
    void requestServed() {}
    boolean minGreenDone() { return true; }
    boolean mayRetry() { return false; }
    void awaitEcho() {}
    void awaitInput() {}
    void backOff() {}
    void beginClose() {}
    void beginConnect() {}
    void closeSocket() {}
    void connected() {}
    void entered(String state) {}
    void giveUp() {}
    void printEcho() {}
    void report(String text) {}
    void sendLine() {}
    void summary() {}
}
)"};

const Support kCsSupport = {
    "internal const int FAST = 2, SLOW = 1, RED = 1, AMBER = 2, GREEN = 4;\n"
    "internal readonly Dev motor = new Dev(), buzzer = new Dev(),\n"
    "    sensor = new Dev(), timer = new Dev(), display = new Dev(), door = new Dev(),\n"
    "    drum = new Dev(), pump = new Dev(), valve = new Dev(), amp = new Dev(),\n"
    "    player = new Dev();\n"
    "internal void log(string text) {}\n"
    "internal void lamp(int lamps) {}\n"
    "internal void walk(bool on) {}\n",
    R"(class Dev {
    internal bool engaged() { return false; }
    internal bool blocked() { return false; }
    internal bool closed() { return true; }
    internal bool hasMedia() { return true; }
    internal void open() {}
    internal void close() {}
    internal void stop() {}
    internal void engage() {}
    internal void release() {}
    internal void beep() {}
    internal void start() {}
    internal void start(int seconds) {}
    internal void unlock() {}
    internal void turn(int speed) {}
    internal void on() {}
    internal void off() {}
    internal void show(string text) {}
    internal void blink(bool on) {}
    internal void powerUp() {}
    internal void powerDown() {}
    internal void hold() {}
    internal void resume() {}
    internal void rewind() {}
    internal void speed(int factor) {}
}
)",
    R"(public class Context {
    internal void clearRequest() {}
    internal void rememberRequest() {}
    internal void requestServed() {}
    internal bool minGreenDone() { return true; }
    internal bool mayRetry() { return false; }
    internal void awaitEcho() {}
    internal void awaitInput() {}
    internal void backOff() {}
    internal void beginClose() {}
    internal void beginConnect() {}
    internal void closeSocket() {}
    internal void connected() {}
    internal void entered(string state) {}
    internal void giveUp() {}
    internal void printEcho() {}
    internal void report(string text) {}
    internal void sendLine() {}
    internal void summary() {}
}
)"};

class ManagedExamplesTest : public GeneratorTest,
                            public testing::WithParamInterface<const ManagedLanguage*> {};

} // namespace

TEST_P(ManagedExamplesTest, EveryExampleCompilesWithWarningsAsErrors) {
    const ManagedLanguage& lang = *GetParam();
    const Support& support = lang.java() ? kJavaSupport : kCsSupport;
    const std::string ext = lang.java() ? ".java" : ".cs";
    std::vector<std::string> sources = {(dir / ("Dev" + ext)).string(),
                                        (dir / ("Context" + ext)).string()};
    std::ofstream(sources[0]) << support.devices;
    std::ofstream(sources[1]) << support.context;
    for (const Example& example : kExamples) {
        if (!lang.java() && !example.csharp) {
            std::cout << "skipped for C#: " << example.file << " uses lock as a name\n";
            continue;
        }
        SCOPED_TRACE(example.file);
        LayoutMgr view;
        std::ifstream in(std::filesystem::path(TAVREN_EXAMPLES) / example.file, std::ios::binary);
        view.read(in);
        ModelProperties& p = view.getModelProperties();
        (lang.java() ? p.declJAVA : p.declCSharp) = support.declarations;
        (lang.java() ? p.ctxNameJAVA : p.ctxNameCSharp) = "Context";
        (lang.java() ? p.ctxPackageJAVA : p.ctxPackageCSharp) = "";
        const std::string name = p.name;
        // Built plain and with -g; C# names the class after the model, so the copies differ.
        for (const bool trace : {false, true}) {
            p.name = name + (trace ? "Traced" : "");
            const auto model = dir / ((trace ? "g_" : "") +
                                      std::filesystem::path(example.file).filename().string());
            std::ofstream out(model, std::ios::binary);
            view.write(out);
            out.close();
            const ProgramResult r =
                runProgram(trace ? std::vector<std::string>{lang.generator, "-d", "-g", model}
                                 : std::vector<std::string>{lang.generator, "-d", model});
            ASSERT_EQ(r.status, 0) << r.out;
            sources.push_back((dir / (model.stem().string() + lang.suffix)).string());
        }
    }
    const ProgramResult built = lang.compile(sources, dir / "out", true);
    EXPECT_EQ(built.status, 0) << built.out << built.err;
}

INSTANTIATE_TEST_SUITE_P(, ManagedExamplesTest, testing::Values(&kJava, &kCSharp), languageName);
