#pragma once
// Pieces every language's conformance test shares: a scratch folder per case, the event table
// the runner includes, and a line-by-line comparison that names the first difference.

#include "tests/generators/generator_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct ScratchDir {
    explicit ScratchDir(const std::string& name)
        : path(std::filesystem::temp_directory_path() / ("tavren_conformance_" + name)) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path path;
};

// chart_events.inc: one CHART_EVENT("chart name", generated function) line per event, or
// CHART_EVENT_ARGS("chart name", function, N, (a[0], ..., a[N-1])) for an event with N
// parameters (by function name in arities).
inline void writeEventTable(const std::filesystem::path& dir,
                            const std::vector<std::pair<std::string, std::string>>& events,
                            const std::map<std::string, int>& arities = {}) {
    std::ofstream table(dir / "chart_events.inc");
    for (const auto& [event, function] : events) {
        std::string quoted = "\"";
        for (const char c : event) {
            if (c == '"' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        const auto arity = arities.find(function);
        if (arity == arities.end() || arity->second == 0) {
            table << "CHART_EVENT(" << quoted << "\", " << function << ")\n";
            continue;
        }
        std::string args;
        for (int i = 0; i < arity->second; ++i)
            args += (i ? ", a[" : "a[") + std::to_string(i) + "]";
        table << "CHART_EVENT_ARGS(" << quoted << "\", " << function << ", " << arity->second
              << ", (" << args << "))\n";
    }
}

inline void expectSameLines(const std::vector<std::string>& actual,
                            const std::vector<std::string>& expected) {
    const std::size_t common = std::min(actual.size(), expected.size());
    const auto differ =
        std::mismatch(expected.begin(), expected.begin() + common, actual.begin()).first;
    const std::size_t i = static_cast<std::size_t>(differ - expected.begin());
    const auto at = [](const std::vector<std::string>& lines, std::size_t n) {
        return n < lines.size() ? lines[n] : std::string("(no line)");
    };
    EXPECT_EQ(actual, expected) << "first difference at line " << i + 1 << ": expected \""
                                << at(expected, i) << "\", got \"" << at(actual, i) << "\"";
}

// A case may hold its -g trace written by hand too (trace.txt): what the observer is told,
// drops included, must then be exactly that.
inline void expectHandWrittenTrace(const std::string& name, const std::string& trace) {
    const auto file = conformanceFolder() / name / "trace.txt";
    if (std::filesystem::exists(file))
        expectSameLines(splitLines(trace), splitLines(slurp(file)));
}
