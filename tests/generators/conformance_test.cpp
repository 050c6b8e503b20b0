// The conformance cases through every language generator: each case's chart is generated
// plainly and with -g, built strictly with the language's runner, and its script run three
// ways: plain (standard error stays empty), -g (the trace on standard error) and plain with
// the runner's own observer, whose lines must equal the -g trace. Standard output must be the
// hand-written trace every time.

#include "tests/generators/conformance_runner.h"
#include "tests/generators/managed_language.h"

#include <cstdlib>
#include <functional>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kCases = conformanceFolder();

// A built runner: the command before the script's arguments, and the machine it loads
// (managed runners find it by class name).
struct Runner {
    std::vector<std::string> command;
    std::string machine;

    ProgramResult run(const fs::path& events, bool observe = false) const {
        auto args = command;
        if (observe)
            args.push_back("--observe");
        if (!machine.empty())
            args.push_back(machine);
        args.push_back(events.string());
        return runProgram(args);
    }
};

// Copies the case's chart into dir as CASE.tvc and generates it there; false after a failure
// has been recorded.
bool generate(const char* generator, const std::string& name, const fs::path& dir, bool traced) {
    fs::create_directories(dir);
    const auto model = dir / (name + ".tvc");
    fs::copy_file(kCases / name / "chart.tvc", model);
    std::vector<std::string> args = {generator};
    if (traced)
        args.push_back("-g");
    args.insert(args.end(), {"-d", model.string()});
    const ProgramResult gen = runProgram(args);
    EXPECT_EQ(gen.status, 0) << gen.out;
    return gen.status == 0;
}

// The event table the native runners include, read from the generated header.
struct MachineApi {
    std::string type;
    std::vector<std::pair<std::string, std::string>> events; // chart name, function
    std::map<std::string, int> arities;                      // function to its parameter count
};

// C++: the class and the Event enumerators, which are the member functions' names too.
MachineApi readCppApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (std::regex_search(header, m, std::regex(R"(\nclass (\w+) \{)")))
        api.type = m[1];
    if (std::regex_search(header, m, std::regex(R"(enum class Event : [a-z ]+ \{\n([^}]*)\};)"))) {
        const std::string list = m[1];
        const std::regex value(R"((\w+),)");
        for (auto it = std::sregex_iterator(list.begin(), list.end(), value);
             it != std::sregex_iterator(); ++it)
            if (const std::string id = (*it)[1]; id.back() != '_') // None_: no event to send
                api.events.emplace_back(id, id);
    }
    const std::regex function(R"(\n    Result (\w+)\(([^)]*)\);)");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), function);
         it != std::sregex_iterator(); ++it) {
        const std::string list = (*it)[2];
        api.arities[(*it)[1]] =
            list.empty() ? 0 : 1 + static_cast<int>(std::count(list.begin(), list.end(), ','));
    }
    return api;
}

// C: the event functions follow the dispatch declarations, a renamed one behind a comment
// with its chart name; the cases' parameters are all int.
MachineApi readCApi(const std::string& header) {
    MachineApi api;
    std::smatch m;
    if (!std::regex_search(header, m, std::regex(R"(\ntypedef struct (\w+) \{\n +\w+\* ctx_;)")))
        return api;
    api.type = m[1];
    const std::string root = api.type;
    const std::regex function(root + "_Result " + root + R"(_(\w+)\()" + root +
                              R"(\* me((?:, int \w+)*)\);)");
    const std::regex comment(R"(/\* (.*) \*/)");
    std::string chartName;
    bool inEvents = false;
    for (const std::string& line : splitLines(header)) {
        if (std::regex_match(line, m, comment)) {
            chartName = m[1];
        } else if (std::regex_match(line, m, function)) {
            inEvents = true;
            api.events.emplace_back(chartName.empty() ? m[1].str() : chartName, m[1]);
            const std::string parameters = m[2];
            api.arities[m[1]] =
                static_cast<int>(std::count(parameters.begin(), parameters.end(), ','));
            chartName.clear();
        } else if (inEvents) {
            break;
        } else {
            chartName.clear();
        }
    }
    return api;
}

// Generates the case's machine and links it with the C or C++ runner.
Runner buildNative(bool cpp, const std::string& name, const fs::path& dir, bool traced) {
    if (!generate(cpp ? TAVREN_TVC2CPP : TAVREN_TVC2C, name, dir, traced))
        return {};
    const std::string header = name + "TN.h";
    const MachineApi api = (cpp ? readCppApi : readCApi)(slurp(dir / header));
    EXPECT_FALSE(api.type.empty());
    EXPECT_FALSE(api.events.empty());
    writeEventTable(dir, api.events, api.arities);

    const fs::path runner = kCases / (cpp ? "cpp" : "c");
    const std::string exe = (dir / "runner").string();
    std::vector<std::string> cc = cpp ? std::vector<std::string>{"g++", "-std=c++17", "-Wshadow"}
                                      : std::vector<std::string>{"gcc", "-std=c99"};
    cc.insert(cc.end(), {"-Wall", "-Wextra", "-Wpedantic", "-Werror", "-O0", "-I", runner.string(),
                         "-I", dir.string(), "-DCHART_HEADER=\"" + header + "\"",
                         (cpp ? "-DCHART_CLASS=" : "-DCHART_MACHINE=") + api.type,
                         (runner / (cpp ? "runner_main.cpp" : "runner_main.c")).string(),
                         (dir / (name + (cpp ? "TN.cpp" : "TN.c"))).string(), "-o", exe});
    const ProgramResult built = runProgram(cc);
    EXPECT_EQ(built.status, 0) << built.err;
    return built.status == 0 ? Runner{{exe}, ""} : Runner{};
}

// Generates the case's class and compiles it with the Java or C# runner (warnings as errors).
Runner buildManaged(const ManagedLanguage& lang, const std::string& name, const fs::path& dir,
                    bool traced) {
    if (!generate(lang.generator, name, dir, traced))
        return {};
    const fs::path runner = kCases / (lang.java() ? "java" : "cs");
    const std::string ext = lang.java() ? ".java" : ".cs";
    const fs::path source = dir / (name + lang.suffix);
    const ProgramResult built = lang.compile(
        {(runner / ("Ctx" + ext)).string(), (runner / ("Runner" + ext)).string(), source.string()},
        dir / "out");
    EXPECT_EQ(built.status, 0) << built.out << built.err;
    if (built.status != 0)
        return {};
    // Java names the class after its file; C# after the chart's model, which the source shows.
    std::string machine = name + "TN";
    std::smatch m;
    const std::string text = slurp(source);
    if (!lang.java() && std::regex_search(text, m, std::regex(R"(\bclass (\w+) \{)")))
        machine = m[1];
    return {lang.run(dir / "out", "Runner"), machine};
}

struct Language {
    const char* name;
    const char* compiler; // must be on PATH for the language to be checked
    std::function<Runner(const std::string&, const fs::path&, bool)> build;
};

const Language kLanguages[] = {
    {"Cpp", "g++", [](auto& n, auto& d, bool t) { return buildNative(true, n, d, t); }},
    {"C", "gcc", [](auto& n, auto& d, bool t) { return buildNative(false, n, d, t); }},
    {"Java", "javac", [](auto& n, auto& d, bool t) { return buildManaged(kJava, n, d, t); }},
    {"CSharp", "mcs", [](auto& n, auto& d, bool t) { return buildManaged(kCSharp, n, d, t); }},
};

bool onPath(const std::string& program) {
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
    std::string folder;
    while (std::getline(path, folder, ':'))
        if (!folder.empty() && fs::exists(fs::path(folder) / program))
            return true;
    return false;
}

// A script that arms a failure cannot run in C, which has no exceptions.
bool armsFailure(const std::string& name) {
    for (const std::string& line : splitLines(slurp(kCases / name / "events.txt")))
        if (line == "fail" || line.starts_with("fail "))
            return true;
    return false;
}

// The simulator runs the chart itself and must trace it as the generated machine does; it runs
// no user code, so flags become guard answers and nothing throws.
void expectSimulatorTrace(const std::string& name, const fs::path& dir, const std::string& trace) {
    const auto script = splitLines(slurp(kCases / name / "events.txt"));
    if (std::any_of(script.begin(), script.end(),
                    [](const std::string& l) { return l.starts_with("fail "); }))
        return;
    SCOPED_TRACE("tvcsim");
    // A case whose guards read an event's arguments brings its own answers, in turn.
    std::ofstream sim(dir / "sim.txt");
    if (fs::exists(kCases / name / "sim_guards.txt"))
        sim << slurp(kCases / name / "sim_guards.txt");
    for (const std::string& line : script)
        if (line.starts_with("set "))
            sim << "guard ctx.flag(\"" << line.substr(4, line.size() - 6)
                << (line.back() == '1' ? "\") = true\n" : "\") = false\n");
        else if (line.starts_with("dispatch "))
            sim << line.substr(9) << "\n";
        else if (line != "state" && !line.starts_with("report "))
            sim << line << "\n";
    sim.close();
    const ProgramResult simulated = runProgram(
        {TAVREN_TVCSIM, (kCases / name / "chart.tvc").string(), (dir / "sim.txt").string()});
    EXPECT_EQ(simulated.status, 0) << simulated.err;
    expectSameLines(splitLines(simulated.out), splitLines(trace));
}

using Param = std::tuple<const Language*, std::string>;

class ConformanceTest : public testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        if (!onPath(lang.compiler))
            GTEST_SKIP() << lang.compiler << " is not installed, so " << lang.name
                         << " is not checked";
    }
    const Language& lang = *std::get<0>(GetParam());
    const std::string name = std::get<1>(GetParam());
};

} // namespace

TEST_P(ConformanceTest, PlainTracedAndObservedRunsPrintTheExpectedTrace) {
    if (std::string(lang.name) == "C" && armsFailure(name))
        GTEST_SKIP() << "C has no exceptions: case " << name << " has a fail line";
    const ScratchDir dir(std::string(lang.name) + "_" + name);
    const Runner plain = lang.build(name, dir.path / "plain", false);
    const Runner traced = lang.build(name, dir.path / "traced", true);
    ASSERT_FALSE(plain.command.empty());
    ASSERT_FALSE(traced.command.empty());
    const fs::path events = kCases / name / "events.txt";
    const auto expected = splitLines(slurp(kCases / name / "expected.txt"));

    const std::pair<const char*, ProgramResult> runs[] = {{"plain", plain.run(events)},
                                                          {"-g", traced.run(events)},
                                                          {"--observe", plain.run(events, true)}};
    for (const auto& [mode, run] : runs) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(run.status, 0) << run.err;
        expectSameLines(splitLines(run.out), expected);
    }
    const std::string& trace = runs[1].second.err;
    EXPECT_EQ(runs[0].second.err, "");
    EXPECT_NE(trace, "");
    // The trace is the observer's lines, formatted: an observer of the user's sees them all.
    expectSameLines(splitLines(runs[2].second.err), splitLines(trace));
    expectHandWrittenTrace(name, runs[2].second.err);
    if (std::string(lang.name) == "Cpp")
        expectSimulatorTrace(name, dir.path, trace);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceTest,
                         testing::Combine(testing::ValuesIn([] {
                                              std::vector<const Language*> all;
                                              for (const Language& l : kLanguages)
                                                  all.push_back(&l);
                                              return all;
                                          }()),
                                          testing::ValuesIn(caseNames())),
                         [](const auto& test) {
                             return std::string(std::get<0>(test.param)->name) + "_" +
                                    std::get<1>(test.param);
                         });
