// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this class fits every chart.

using System;
using System.Collections.Generic;

public sealed class Ctx {
    // Sends the named event to the machine; false when the machine has no such event.
    public Func<string, bool> dispatcher;

    private readonly Dictionary<string, bool> flags = new Dictionary<string, bool>();

    public void log(string line) {
        Console.Out.Write(line + "\n");
    }

    public bool flag(string name) {
        bool value;
        return flags.TryGetValue(name, out value) && value;
    }

    public void setFlag(string name, bool value) {
        flags[name] = value;
    }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run.
    public void raise(string eventName) {
        if (dispatcher == null || !dispatcher(eventName))
            throw new InvalidOperationException("raised an unknown event: " + eventName);
    }
}
