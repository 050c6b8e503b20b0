// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this class fits every chart.

import java.util.HashMap;
import java.util.Map;
import java.util.function.Predicate;

public final class Ctx {
    // Sends the named event to the machine; false when the machine has no such event.
    public Predicate<String> dispatcher;

    private final Map<String, Boolean> flags = new HashMap<>();

    public void log(String line) {
        System.out.println(line);
    }

    public boolean flag(String name) {
        return flags.getOrDefault(name, false);
    }

    public void setFlag(String name, boolean value) {
        flags.put(name, value);
    }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run.
    public void raise(String event) {
        if (dispatcher == null || !dispatcher.test(event))
            throw new IllegalStateException("raised an unknown event: " + event);
    }
}
