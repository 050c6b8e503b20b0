// What the door chart's actions call. C# has no globals, so the chart's copy for C# reaches
// every device through the context: ctx.Motor.Open(), !ctx.Lock.IsEngaged. Each device prints
// what it would do to the hardware.
using System;

namespace Example.Door {

public sealed class Motor {
    public void Open() { Console.WriteLine("motor: open"); }
    public void Close() { Console.WriteLine("motor: close"); }
    public void Stop() { Console.WriteLine("motor: stop"); }
}

public sealed class Lock {
    public bool IsEngaged { get; private set; }

    public void Engage() {
        IsEngaged = true;
        Console.WriteLine("lock: engaged");
    }

    public void Release() {
        IsEngaged = false;
        Console.WriteLine("lock: released");
    }
}

public sealed class Timer {
    public void Start(int seconds) { Console.WriteLine("timer: " + seconds + " s"); }
    public void Stop() { Console.WriteLine("timer: stopped"); }
}

// The light barrier across the doorway.
public sealed class Sensor {
    public bool IsBlocked { get; set; }
}

public sealed class Buzzer {
    public void Beep() { Console.WriteLine("buzzer: beep"); }
}

public sealed class DoorContext {
    public Motor Motor { get; } = new Motor();
    public Lock Lock { get; } = new Lock();
    public Timer Timer { get; } = new Timer();
    public Sensor Sensor { get; } = new Sensor();
    public Buzzer Buzzer { get; } = new Buzzer();

    public void Log(string text) { Console.WriteLine("log: " + text); }
}

}
