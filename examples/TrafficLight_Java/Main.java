package example.trafficlight;

/**
 * Drives the traffic light through one cycle with a pedestrian request, printing what the
 * lamps and the timer do and where the machine is after each event.
 */
public final class Main {
    private Main() {}

    private static void feed(TrafficLightTN light, TrafficLightTN.Event event) {
        System.out.println("> " + event.chartName());
        final TrafficLightTN.Result result = light.dispatch(event);
        System.out.println(
            (result == TrafficLightTN.Result.IGNORED ? "  ignored in " : "  now in ") +
            light.activeState().chartName());
    }

    public static void main(String[] args) {
        final Junction junction = new Junction();
        final TrafficLightTN light = new TrafficLightTN(junction);
        System.out.println("starting");
        light.start(); // red, pedestrians walk
        System.out.println("  now in " + light.activeState().chartName());

        feed(light, TrafficLightTN.Event.pedestrian); // nobody handles a request while red
        feed(light, TrafficLightTN.Event.timer);      // red and amber
        feed(light, TrafficLightTN.Event.timer);      // green
        feed(light, TrafficLightTN.Event.pedestrian); // too early: noted, green starts over
        System.out.println("(the minimum green time is over)");
        junction.setMinGreenOver(true);
        feed(light, TrafficLightTN.Event.pedestrian); // served: the green phase ends early
        feed(light, TrafficLightTN.Event.timer);      // red again
    }
}
