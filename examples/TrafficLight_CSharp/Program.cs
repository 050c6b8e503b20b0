// Drives the traffic light through one cycle with a pedestrian request, printing what the
// lamps and the timer do and where the machine is after each event.
using System;

namespace Example.TrafficLight {

public static class Program {
    static void Feed(TrafficLightTN light, TrafficLightTN.Event e) {
        Console.WriteLine("> " + TrafficLightTN.NameOf(e));
        TrafficLightTN.Result result = light.Dispatch(e);
        Console.WriteLine(
            (result == TrafficLightTN.Result.Ignored ? "  ignored in " : "  now in ") +
            TrafficLightTN.NameOf(light.ActiveState));
    }

    public static void Main() {
        var junction = new Junction();
        var light = new TrafficLightTN(junction);
        Console.WriteLine("starting");
        light.Start(); // red, pedestrians walk
        Console.WriteLine("  now in " + TrafficLightTN.NameOf(light.ActiveState));

        Feed(light, TrafficLightTN.Event.Pedestrian); // nobody handles a request while red
        Feed(light, TrafficLightTN.Event.Timer);      // red and amber
        Feed(light, TrafficLightTN.Event.Timer);      // green
        Feed(light, TrafficLightTN.Event.Pedestrian); // too early: noted, green starts over
        Console.WriteLine("(the minimum green time is over)");
        junction.MinGreenDone = true;
        Feed(light, TrafficLightTN.Event.Pedestrian); // served: the green phase ends early
        Feed(light, TrafficLightTN.Event.Timer);      // red again
    }
}

}
