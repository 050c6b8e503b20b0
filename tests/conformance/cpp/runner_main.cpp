// Runs one conformance script against one generated machine. The build names the machine:
// CHART_HEADER is its header, CHART_CLASS its class, and chart_events.inc lists its events
// as CHART_EVENT("chart name", member) lines.
//
// Usage: runner EVENTS_FILE. The actions' lines and the closing "finished" go to standard
// output; complaints go to standard error with a non-zero status.

#include "conformance_ctx.h"

#include CHART_HEADER

#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace {

using Machine = CHART_CLASS;

#define CHART_EVENT(name, member) {name, &Machine::member},
const std::map<std::string, void (Machine::*)()> kEvents = {
#include "chart_events.inc"
};
#undef CHART_EVENT

bool send(Machine& machine, const std::string& event) {
    const auto it = kEvents.find(event);
    if (it == kEvents.end())
        return false;
    (machine.*(it->second))();
    return true;
}

// One script line; false with a message for a line that is not a command.
bool run(Machine& machine, Ctx& ctx, const std::string& line, std::string& error) {
    if (line == "start") {
        machine.start();
        return true;
    }
    if (line.rfind("set ", 0) == 0) {
        const auto blank = line.rfind(' ');
        const std::string value = line.substr(blank + 1);
        if (blank > 4 && (value == "0" || value == "1")) {
            ctx.setFlag(line.substr(4, blank - 4), value == "1");
            return true;
        }
        error = "bad set line: " + line;
        return false;
    }
    if (send(machine, line))
        return true;
    error = "unknown event: " + line;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " EVENTS_FILE\n";
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 2;
    }
    Ctx ctx;
    Machine machine(ctx);
    ctx.dispatcher = [&machine](const std::string& event) { return send(machine, event); };
    try {
        std::string line;
        for (int number = 1; std::getline(script, line); ++number) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::string error;
            if (!run(machine, ctx, line, error)) {
                std::cerr << argv[1] << ":" << number << ": " << error << "\n";
                return 2;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    if (machine.isFinished())
        std::printf("finished\n");
    return 0;
}
