#pragma once
// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this header fits every chart. A failure armed by the
// script makes the next log() or flag() of its text throw.

#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

// What an armed failure throws; the runner reports it and goes on.
struct ActionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Ctx {
public:
    // Sends the named event (with its arguments, as a script line gives them) to the machine;
    // false when the machine has no such event.
    using Dispatcher = std::function<bool(const std::string& event)>;

    void log(const std::string& line) {
        std::printf("%s\n", line.c_str());
        if (takeFailure(line))
            throw ActionFailure(line);
    }

    // "text value": how a chart shows an event's argument the same way in every language.
    void logValue(const std::string& text, int value) {
        std::printf("%s %d\n", text.c_str(), value);
    }

    bool flag(const std::string& name) {
        if (takeFailure(name))
            throw ActionFailure(name);
        const auto it = flags.find(name);
        return it != flags.end() && it->second;
    }
    void setFlag(const std::string& name, bool value) { flags[name] = value; }
    // One shot: the first log() or flag() of the text throws.
    void failOn(const std::string& text) {
        failure = text;
        armed = true;
    }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run. Arguments follow the name as in a script line:
    // raise("received 3 1").
    void raise(const std::string& event) {
        if (!dispatcher || !dispatcher(event))
            throw std::runtime_error("raised an unknown event: " + event);
    }

    Dispatcher dispatcher;

private:
    bool takeFailure(const std::string& text) {
        if (!armed || text != failure)
            return false;
        armed = false;
        return true;
    }

    std::map<std::string, bool> flags;
    std::string failure;
    bool armed = false;
};
