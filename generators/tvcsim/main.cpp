// tvcsim: runs a chart from its model file, without generating code, and prints what a
// machine generated with -g would trace; --explain and --json say why each step happened,
// --check replays a trace a generated machine wrote.

#include "generators/sim/chart_loader.h"
#include "generators/sim/chart_simulator.h"
#include "generators/sim/explanation_text.h"
#include "generators/sim/trace_check.h"

#include <algorithm>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef TAVREN_VERSION
#define TAVREN_VERSION "unknown"
#endif

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char* const kUsageText = "Usage: tvcsim [--explain | --json] MODEL [SCRIPT]\n"
                               "       tvcsim --check TRACE MODEL\n";

const char* const kHelp =
    "Runs the Tavren chart MODEL without generating code: the script (SCRIPT, or standard\n"
    "input) is read line by line:\n"
    "  start                 starts the machine (before everything else when no line does)\n"
    "  EVENT                 sends the event (its name as the chart writes it)\n"
    "  EVENT(3, true)        sends it with arguments (EVENT 3 1 too), carried as text\n"
    "  guard TEXT = true     answers every guard written TEXT (or false) from now on\n"
    "  guard * = false       the answer for guards without one of their own (false at first)\n"
    "  guard TEXT = false, true   answers in turn, the last one from then on (a guard on an\n"
    "                        event's arguments, which the simulator cannot evaluate)\n"
    "  # ...                 a comment; empty lines are skipped too\n"
    "An action whose text holds \"@raise NAME\" raises the event NAME.\n"
    "Prints the trace a machine generated with -g writes; --explain adds why each step\n"
    "happened, --json prints one JSON object per event instead.\n"
    "--check TRACE reads a trace written by a machine generated with -g and reports the\n"
    "first line where the chart disagrees with it.\n"
    "Exit status: 0 done, 1 failed (the reason on standard error), 2 usage error.\n";

enum class Mode { Trace, Explain, Json, Check };

std::vector<std::string> readLines(std::istream& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void print(const genchart::Chart& chart, const std::vector<sim::Explanation>& run, Mode mode) {
    for (const sim::Explanation& e : run) {
        if (mode == Mode::Json) {
            std::cout << sim::explanationJson(chart, e) << "\n";
            continue;
        }
        if (mode == Mode::Explain)
            for (const std::string& line : sim::explanationLines(chart, e))
                std::cout << line << "\n";
        for (const std::string& line : e.trace)
            std::cout << (mode == Mode::Explain ? "  | " : "") << line << "\n";
    }
}

// The script's guard answers: per guard text a list taken in turn, its last answer kept.
struct GuardScript {
    std::map<std::string, std::deque<bool>> answers;
    bool fallback = false;

    bool ask(const std::string& text) {
        const auto found = answers.find(text);
        if (found == answers.end())
            return fallback;
        const bool answer = found->second.front();
        if (found->second.size() > 1)
            found->second.pop_front();
        return answer;
    }
};

// One script line; throws the complaint.
void runLine(sim::ChartSimulator& simulator, GuardScript& guards, const std::string& line,
             Mode mode) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
        return;
    if (line == "start") {
        print(simulator.chart(), simulator.start(), mode);
        return;
    }
    if (line.rfind("guard ", 0) == 0) {
        const auto equals = line.rfind(" = ");
        std::deque<bool> answers;
        std::istringstream list(equals == std::string::npos ? "" : line.substr(equals + 3));
        for (std::string answer; std::getline(list >> std::ws, answer, ',');) {
            answer.erase(answer.find_last_not_of(" \t") + 1);
            if (answer != "true" && answer != "false") {
                answers.clear();
                break;
            }
            answers.push_back(answer == "true");
        }
        const std::string text = equals == std::string::npos ? "" : line.substr(6, equals - 6);
        if (equals == std::string::npos || equals < 6 || answers.empty() ||
            (text == "*" && answers.size() > 1))
            throw std::string("a guard line reads: guard TEXT = true (or false)");
        if (text == "*")
            guards.fallback = answers.front();
        else
            guards.answers[text] = std::move(answers);
        return;
    }
    auto [event, arguments] = simulator.findEventCall(line);
    if (event < 0)
        throw "unknown event: " + line;
    print(simulator.chart(), simulator.send(event, std::move(arguments)), mode);
}

int fail(const std::string& message) {
    std::cout.flush();
    std::cerr << "FAILURE:\nError : " << message << "\n";
    return kFailed;
}

} // namespace

int main(int argc, char** argv) {
    Mode mode = Mode::Trace;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsageText << "\n" << kHelp;
            return kDone;
        }
        if (arg == "--version") {
            std::cout << "tvcsim " << TAVREN_VERSION << "\n";
            return kDone;
        }
        if (mode == Mode::Trace && files.empty() &&
            (arg == "--explain" || arg == "--json" || arg == "--check")) {
            mode = arg == "--explain" ? Mode::Explain : arg == "--json" ? Mode::Json : Mode::Check;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "tvcsim: unknown option '" << arg << "'\n" << kUsageText;
            return kUsage;
        }
        files.push_back(arg);
    }
    const std::size_t needed = mode == Mode::Check ? 2 : 1;
    if (files.size() < needed || files.size() > 2) {
        std::cerr << kUsageText;
        return kUsage;
    }
    try {
        const std::string model = mode == Mode::Check ? files[1] : files[0];
        sim::ChartSimulator simulator(loadChart(model));
        if (mode == Mode::Check) {
            std::ifstream trace(files[0]);
            if (!trace)
                return fail("Unable to open file : " + files[0]);
            const sim::TraceCheck check = sim::checkTrace(simulator.chart(), readLines(trace));
            if (!check.agrees)
                return fail(files[0] + ":" + std::to_string(check.line) + ": " + check.message);
            std::cout << "The trace agrees with the chart.\n";
            return kDone;
        }
        std::ifstream scriptFile;
        if (files.size() == 2) {
            scriptFile.open(files[1]);
            if (!scriptFile)
                return fail("Unable to open file : " + files[1]);
        }
        const std::string scriptName = files.size() == 2 ? files[1] : "<stdin>";
        const auto lines = readLines(files.size() == 2 ? scriptFile : std::cin);
        GuardScript guards;
        simulator.setGuardOracle(
            [&guards](const sim::GuardQuestion& q) { return guards.ask(q.branch.guard); });
        if (std::find(lines.begin(), lines.end(), "start") == lines.end())
            print(simulator.chart(), simulator.start(), mode);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            try {
                runLine(simulator, guards, lines[n], mode);
            } catch (const std::string& complaint) {
                return fail(scriptName + ":" + std::to_string(n + 1) + ": " + complaint);
            }
        }
    } catch (const std::string& message) {
        return fail(message);
    } catch (const std::exception& e) {
        return fail(std::string("Unexpected failure: ") + e.what());
    }
    return kDone;
}
