// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this class fits every chart. A failure armed by the
// script makes the next log() or flag() of its text throw.

using System;
using System.Collections.Generic;

public sealed class Ctx {
    // What an armed failure throws; its message is the text it was armed with.
    public sealed class Failure : Exception {
        public Failure(string text) : base(text) {}
    }

    // Sends the named event to the machine; false when the machine has no such event.
    public Func<string, bool> dispatcher;

    private readonly Dictionary<string, bool> flags = new Dictionary<string, bool>();
    private string armed;

    public void log(string line) {
        Console.Out.Write(line + "\n");
        if (line == armed) {
            armed = null;
            throw new Failure(line);
        }
    }

    public bool flag(string name) {
        if (name == armed) {
            armed = null;
            throw new Failure(name);
        }
        bool value;
        return flags.TryGetValue(name, out value) && value;
    }

    public void setFlag(string name, bool value) {
        flags[name] = value;
    }

    // "text value": how a chart shows an event's argument the same way in every language.
    public void logValue(string text, int value) {
        Console.Out.Write(text + " " + value + "\n");
    }

    public void arm(string text) {
        armed = text;
    }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run. Arguments follow the name: raise("received 3 1").
    public void raise(string eventName) {
        if (dispatcher == null || !dispatcher(eventName))
            throw new InvalidOperationException("raised an unknown event: " + eventName);
    }
}
