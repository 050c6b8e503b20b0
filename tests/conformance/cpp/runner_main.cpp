// Runs one conformance script against one generated machine. The build names the machine:
// CHART_HEADER is its header, CHART_CLASS its class, and chart_events.inc lists its events
// as CHART_EVENT("chart name", member) lines, an event with N parameters (all int) as
// CHART_EVENT_ARGS("chart name", member, N, (a[0], ...)); the chart names come from the
// machine itself.
//
// Usage: runner [--observe] EVENTS_FILE. The actions' lines, the lines of the script's
// commands and the closing "finished" go to standard output; with --observe an observer of
// the runner's own writes the trace lines to standard error. Complaints go to standard error
// with a non-zero status.

#include "conformance_ctx.h"

#include CHART_HEADER

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Machine = CHART_CLASS;

// An event's function and its dispatch, each given the script's arguments.
struct EventEntry {
    Machine::Event value;
    std::size_t arity;
    Machine::Result (*function)(Machine& m, const int* a);
    Machine::Result (*dispatch)(Machine& m, const int* a);
};

#define CHART_EVENT(name, member)                                                                  \
    EventEntry{Machine::Event::member, 0, [](Machine& m, const int*) { return m.member(); },       \
               [](Machine& m, const int*) { return m.dispatch(Machine::Event::member); }},
#define CHART_BRACED(...)                                                                          \
    { __VA_ARGS__ }
#define CHART_EVENT_ARGS(name, member, arity, args)                                                \
    EventEntry{Machine::Event::member, arity,                                                      \
               [](Machine& m, const int* a) { return m.member args; },                             \
               [](Machine& m, const int* a) {                                                      \
                   return m.dispatch(Machine::Message{Machine::Event::member,                      \
                                                      Machine::Args::member CHART_BRACED args});   \
               }},
const EventEntry kEvents[] = {
#include "chart_events.inc"
};
#undef CHART_EVENT
#undef CHART_EVENT_ARGS
#undef CHART_BRACED

const EventEntry* findEvent(const std::string& name) {
    for (const EventEntry& entry : kEvents)
        if (name == Machine::nameOf(entry.value))
            return &entry;
    return nullptr;
}

const char* resultText(Machine::Result result) {
    switch (result) {
    case Machine::Result::Handled:
        return "handled";
    case Machine::Result::Ignored:
        return "ignored";
    case Machine::Result::Queued:
        return "queued";
    case Machine::Result::Dropped:
        return "dropped";
    }
    return "?";
}

// The trace lines of -g, formatted from what the observer is told.
class TraceObserver : public Machine::Observer {
public:
    explicit TraceObserver(const Machine& m) : machine(m) {}
    void entered(Machine::State s) override { line(std::string("enter ") + name(s)); }
    void exited(Machine::State s) override { line(std::string("exit ") + name(s)); }
    void fired(Machine::State source, Machine::Event e, Machine::State target) override {
        line(std::string(name(source)) + " -" + Machine::nameOf(e) + "-> " +
             (target == Machine::State::None_ ? "final" : name(target)));
    }
    void finished() override { line("finished"); }
    void ignored(Machine::Event e) override {
        line(std::string(machine.isFinished() ? "ignored (finished): " : "ignored: ") +
             Machine::nameOf(e));
    }
    void dropped(Machine::Event e) override {
        line(std::string("dropped (queue full): ") + Machine::nameOf(e));
    }

private:
    static const char* name(Machine::State s) { return Machine::nameOf(s); }
    static void line(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }
    const Machine& machine;
};

struct Runner {
    Machine& machine;
    Ctx& ctx;
    bool report = false;

    // Sends the event of a script line ("received 3 1": the name, then its arguments)
    // through its function or through dispatch; false for an unknown name or a wrong number
    // of arguments.
    bool send(const std::string& line, bool viaDispatch) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        std::vector<int> args;
        for (int value = 0; words >> value;)
            args.push_back(value);
        const EventEntry* entry = findEvent(name);
        if (!entry || !words.eof() || args.size() != entry->arity)
            return false;
        const Machine::Result result = viaDispatch ? entry->dispatch(machine, args.data())
                                                   : entry->function(machine, args.data());
        if (report)
            std::printf("%s -> %s\n", name.c_str(), resultText(result));
        return true;
    }

    // "state INNER: A B C", every state the machine is in sorted by byte value.
    void printState() const {
        std::vector<std::string> in;
        for (unsigned i = 1;; ++i) {
            const auto s = static_cast<Machine::State>(i);
            const char* name = Machine::nameOf(s);
            if (!*name)
                break;
            if (machine.isIn(s))
                in.emplace_back(name);
        }
        if (machine.isIn(Machine::State::None_))
            in.emplace_back("(isIn None_)");
        std::sort(in.begin(), in.end());
        const Machine::State active = machine.activeState();
        std::string line =
            "state " +
            std::string(active == Machine::State::None_ ? "none" : Machine::nameOf(active)) + ":";
        for (const std::string& name : in)
            line += " " + name;
        std::printf("%s\n", line.c_str());
    }

    // One script line; false with a message for a line that is not a command.
    bool run(const std::string& line, std::string& error) {
        if (line == "start") {
            machine.start();
            return true;
        }
        if (line == "state") {
            printState();
            return true;
        }
        if (line == "report on" || line == "report off") {
            report = line == "report on";
            return true;
        }
        if (line.rfind("fail ", 0) == 0) {
            ctx.failOn(line.substr(5));
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
        const bool viaDispatch = line.rfind("dispatch ", 0) == 0;
        if (send(viaDispatch ? line.substr(9) : line, viaDispatch))
            return true;
        error = "unknown event: " + line;
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    const bool observe = argc == 3 && std::strcmp(argv[1], "--observe") == 0;
    if (argc != 2 && !observe) {
        std::cerr << "usage: " << argv[0] << " [--observe] EVENTS_FILE\n";
        return 2;
    }
    const char* file = argv[argc - 1];
    std::ifstream script(file);
    if (!script) {
        std::cerr << "cannot read " << file << "\n";
        return 2;
    }
    Ctx ctx;
    Machine machine(ctx);
    TraceObserver observer(machine);
    if (observe)
        machine.setObserver(&observer);
    Runner runner{machine, ctx};
    ctx.dispatcher = [&runner](const std::string& event) { return runner.send(event, false); };
    try {
        std::string line;
        for (int number = 1; std::getline(script, line); ++number) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::string error;
            bool known = false;
            try {
                known = runner.run(line, error);
            } catch (const ActionFailure& failure) {
                std::printf("exception %s\n", failure.what());
                known = true;
            }
            if (!known) {
                std::cerr << file << ":" << number << ": " << error << "\n";
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
