package example.door;

/**
 * What the door chart's actions call. Java has no globals, so the chart's copy for Java reaches
 * every device through the context: ctx.motor.open(), !ctx.lock.engaged(). Each device prints
 * what it would do to the hardware.
 */
public final class DoorContext {
    public static final class Motor {
        public void open() { System.out.println("motor: open"); }
        public void close() { System.out.println("motor: close"); }
        public void stop() { System.out.println("motor: stop"); }
    }

    public static final class Lock {
        private boolean engaged;

        public void engage() {
            engaged = true;
            System.out.println("lock: engaged");
        }

        public void release() {
            engaged = false;
            System.out.println("lock: released");
        }

        public boolean engaged() { return engaged; }
    }

    public static final class Timer {
        public void start(int seconds) { System.out.println("timer: " + seconds + " s"); }
        public void stop() { System.out.println("timer: stopped"); }
    }

    /** The light barrier across the doorway. */
    public static final class Sensor {
        private boolean blocked;

        public boolean blocked() { return blocked; }
        public void setBlocked(boolean blocked) { this.blocked = blocked; }
    }

    public static final class Buzzer {
        public void beep() { System.out.println("buzzer: beep"); }
    }

    public final Motor motor = new Motor();
    public final Lock lock = new Lock();
    public final Timer timer = new Timer();
    public final Sensor sensor = new Sensor();
    public final Buzzer buzzer = new Buzzer();

    public void log(String text) { System.out.println("log: " + text); }
}
