package example.trafficlight;

import java.util.EnumSet;
import java.util.List;

/**
 * What the traffic light chart's actions call. Java has no free functions, so the chart's copy
 * for Java reaches the lamps, the walk signal and the timer through the context:
 * ctx.lamp(Lamp.RED), ctx.timer.start(20). Each prints what it would do to the hardware.
 */
public final class Junction {
    public static final class Timer {
        public void start(int seconds) { System.out.println("timer: " + seconds + " s"); }
    }

    public final Timer timer = new Timer();
    private boolean minGreenOver;

    public void lamp(Lamp... lit) {
        final EnumSet<Lamp> on = EnumSet.noneOf(Lamp.class);
        on.addAll(List.of(lit));
        final StringBuilder line = new StringBuilder("lamps:");
        for (Lamp lamp : on) {
            line.append(' ').append(lamp.name().toLowerCase(java.util.Locale.ROOT));
        }
        System.out.println(line);
    }

    public void walk(boolean on) {
        System.out.println(on ? "pedestrians: walk" : "pedestrians: wait");
    }

    public boolean minGreenDone() { return minGreenOver; }
    public void rememberRequest() { System.out.println("request noted"); }
    public void requestServed() { System.out.println("request served early"); }
    public void clearRequest() {}

    /** Set by the program in this example. */
    public void setMinGreenOver(boolean over) { minGreenOver = over; }
}
