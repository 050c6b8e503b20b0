// What the traffic light chart's actions call. C# has no free functions, so the chart's copy
// for C# reaches the lamps, the walk signal and the timer through the context:
// ctx.Lamp(Lamps.Red), ctx.Timer.Start(20). Each prints what it would do to the hardware.
using System;

namespace Example.TrafficLight {

[Flags]
public enum Lamps { Red = 1, Amber = 2, Green = 4 }

public sealed class Timer {
    public void Start(int seconds) { Console.WriteLine("timer: " + seconds + " s"); }
}

public sealed class Junction {
    public Timer Timer { get; } = new Timer();

    // Set by the program in this example.
    public bool MinGreenDone { get; set; }

    public void Lamp(Lamps lit) {
        Console.WriteLine("lamps:" + ((lit & Lamps.Red) != 0 ? " red" : "") +
                          ((lit & Lamps.Amber) != 0 ? " amber" : "") +
                          ((lit & Lamps.Green) != 0 ? " green" : ""));
    }

    public void Walk(bool on) { Console.WriteLine(on ? "pedestrians: walk" : "pedestrians: wait"); }

    public void RememberRequest() { Console.WriteLine("request noted"); }
    public void RequestServed() { Console.WriteLine("request served early"); }
    public void ClearRequest() {}
}

}
