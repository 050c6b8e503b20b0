// Runs every conformance case through the machine that Qt's SCXML compiler made from the
// chart's tvc2scxml export, and compares the actions' lines with the case's expected.txt.
//
// Usage: scxml_conformance CASES_FOLDER. Cases whose script arms a failure are skipped (an
// exception from a data model script has no defined meaning in SCXML), and so are the cases
// listed in kCannotAgree; docs/semantics.md says why. The lines of the script's `state` and
// `report` commands are not compared: SCXML has no innermost state and no result per event.

#include "scxml_ctx.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

std::map<std::string, ScxmlCase>& registry() {
    static std::map<std::string, ScxmlCase> cases;
    return cases;
}

// Case folder and why SCXML cannot run it as a generated machine does.
const std::map<std::string, std::string> kCannotAgree = {};

std::vector<std::string> readLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Queued events run before the next command, as a generated machine runs them before the
// event function returns.
void settle() {
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

std::vector<std::string> run(const ScxmlCase& entry, const std::vector<std::string>& script) {
    auto ctx = entry.context();
    auto machine = entry.machine();
    machine->setDataModel(ctx.get());
    bool finished = false;
    QObject::connect(machine.get(), &QScxmlStateMachine::finished, [&] { finished = true; });
    bool started = false;
    for (const std::string& line : script) {
        if (line.empty() || line == "state" || line.rfind("report ", 0) == 0)
            continue;
        if (line == "start") {
            machine->start();
            started = true;
        } else if (line.rfind("set ", 0) == 0) {
            ctx->flags[line.substr(4, line.size() - 6)] = line.back() == '1';
        } else if (started && !finished) {
            const std::string event = line.rfind("dispatch ", 0) == 0 ? line.substr(9) : line;
            machine->submitEvent(QString::fromStdString(event));
        }
        settle();
    }
    if (finished)
        ctx->lines.emplace_back("finished");
    return ctx->lines;
}

std::vector<std::string> expectedActions(const std::vector<std::string>& expected) {
    static const std::regex command(R"(state .*:.*|\S+ -> (handled|ignored|queued|dropped))");
    std::vector<std::string> lines;
    for (const std::string& line : expected)
        if (!std::regex_match(line, command))
            lines.push_back(line);
    return lines;
}

} // namespace

bool registerScxmlCase(const char* name, ScxmlCase entry) {
    registry().emplace(name, std::move(entry));
    return true;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: scxml_conformance CASES_FOLDER\n");
        return 2;
    }
    const std::filesystem::path cases = argv[1];
    int passed = 0, failed = 0, skipped = 0;
    for (const auto& [name, entry] : registry()) {
        const auto script = readLines(cases / name / "events.txt");
        const bool throws = std::any_of(script.begin(), script.end(), [](const std::string& l) {
            return l.rfind("fail ", 0) == 0;
        });
        if (throws || kCannotAgree.count(name)) {
            std::printf("SKIP %s: %s\n", name.c_str(),
                        throws ? "its script makes an action throw"
                               : kCannotAgree.at(name).c_str());
            ++skipped;
            continue;
        }
        const auto got = run(entry, script);
        const auto want = expectedActions(readLines(cases / name / "expected.txt"));
        if (got == want) {
            std::printf("PASS %s\n", name.c_str());
            ++passed;
            continue;
        }
        ++failed;
        std::printf("FAIL %s\n", name.c_str());
        for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
            const std::string g = i < got.size() ? got[i] : "(none)";
            const std::string w = i < want.size() ? want[i] : "(none)";
            std::printf("  %s %-32s | %s\n", g == w ? " " : "!", w.c_str(), g.c_str());
        }
    }
    std::printf("scxml: %d passed, %d failed, %d skipped\n", passed, failed, skipped);
    return failed == 0 && passed > 0 ? 0 : 1;
}
