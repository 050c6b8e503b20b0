// tvccheck: diagnostics for charts, for people (compiler-style lines) and build servers
// (JSON lines, SARIF).

#include "generators/check/chart_checks.h"
#include "generators/check/diagnostic_output.h"

#include <iostream>
#include <string>
#include <vector>

#ifndef TAVREN_VERSION
#define TAVREN_VERSION "unknown"
#endif

namespace {

const char* const kUsage = "Usage: tvccheck [--format text|json|sarif] [--werror] MODEL...\n";

const char* const kHelp =
    "Checks each Tavren chart MODEL: what the generators would refuse (errors), and what a\n"
    "reader of the chart would want to know: states never entered, dead ends, the order\n"
    "guards are tried in, shadowed transitions, dead events, loose shapes, renamed events.\n"
    "  --format text   file: severity: message [rule] lines (the default)\n"
    "  --format json   one JSON object per diagnostic\n"
    "  --format sarif  one SARIF 2.1.0 log, for code-scanning services\n"
    "  --werror        warnings fail the check too\n"
    "Exit status: 0 nothing failed, 1 an error (or a warning with --werror), 2 usage error.\n";

} // namespace

int main(int argc, char** argv) {
    std::string format = "text";
    bool werror = false;
    std::vector<std::string> models;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage << "\n" << kHelp;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "tvccheck " << TAVREN_VERSION << "\n";
            return 0;
        }
        if (arg == "--werror") {
            werror = true;
        } else if (arg == "--format" && i + 1 < argc) {
            format = argv[++i];
            if (format != "text" && format != "json" && format != "sarif") {
                std::cerr << "tvccheck: unknown format '" << format << "'\n" << kUsage;
                return 2;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "tvccheck: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        } else {
            models.push_back(arg);
        }
    }
    if (models.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    std::vector<check::FileDiagnostics> results;
    bool failed = false;
    for (const std::string& model : models) {
        results.push_back({model, check::checkChart(model)});
        for (const check::Diagnostic& d : results.back().diagnostics)
            failed = failed || d.severity == check::Severity::Error ||
                     (werror && d.severity == check::Severity::Warning);
    }
    if (format == "json")
        check::writeJsonLines(std::cout, results);
    else if (format == "sarif")
        check::writeSarif(std::cout, results, TAVREN_VERSION);
    else
        check::writeText(std::cout, results);
    return failed ? 1 : 0;
}
