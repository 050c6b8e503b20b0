#pragma once
// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this header fits every chart.

#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

class Ctx {
public:
    // Sends the named event to the machine; false when the machine has no such event.
    using Dispatcher = std::function<bool(const std::string& event)>;

    void log(const std::string& line) { std::printf("%s\n", line.c_str()); }

    bool flag(const std::string& name) const {
        const auto it = flags.find(name);
        return it != flags.end() && it->second;
    }
    void setFlag(const std::string& name, bool value) { flags[name] = value; }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run.
    void raise(const std::string& event) {
        if (!dispatcher || !dispatcher(event))
            throw std::runtime_error("raised an unknown event: " + event);
    }

    Dispatcher dispatcher;

private:
    std::map<std::string, bool> flags;
};
