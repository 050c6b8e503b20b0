// The context every conformance chart names: actions print through log(), guards read the
// flags the script sets, and raise() hands an event back to the machine through whatever
// dispatcher the runner installed, so this class fits every chart. A failure armed by the
// script makes the next log() or flag() of its text throw.

import java.util.HashMap;
import java.util.Map;
import java.util.function.Predicate;

public final class Ctx {
    // What an armed failure throws; its message is the text it was armed with.
    public static final class Failure extends RuntimeException {
        private static final long serialVersionUID = 1L;

        Failure(String text) {
            super(text);
        }
    }

    // Sends the named event to the machine; false when the machine has no such event.
    public Predicate<String> dispatcher;

    private final Map<String, Boolean> flags = new HashMap<>();
    private String armed;

    public void log(String line) {
        System.out.println(line);
        if (line.equals(armed)) {
            armed = null;
            throw new Failure(line);
        }
    }

    public boolean flag(String name) {
        if (name.equals(armed)) {
            armed = null;
            throw new Failure(name);
        }
        return flags.getOrDefault(name, false);
    }

    // "text value": how a chart shows an event's argument the same way in every language.
    public void logValue(String text, int value) {
        System.out.println(text + " " + value);
    }

    public void setFlag(String name, boolean value) {
        flags.put(name, value);
    }

    public void arm(String text) {
        armed = text;
    }

    // A name the machine does not know is a broken case, not an ignored event: it must not
    // pass unnoticed, so it stops the run. Arguments follow the name: raise("received 3 1").
    public void raise(String event) {
        if (dispatcher == null || !dispatcher.test(event))
            throw new IllegalStateException("raised an unknown event: " + event);
    }
}
