// Drives the door chart through a locked door, an opening, a blocked doorway and an obstacle,
// printing what the devices do and where the machine is after each event.
using System;

namespace Example.Door {

public static class Program {
    static void Feed(DoorTN door, DoorTN.Event e) {
        Console.WriteLine("> " + DoorTN.NameOf(e));
        DoorTN.Result result = door.Dispatch(e);
        Console.WriteLine((result == DoorTN.Result.Ignored ? "  ignored in " : "  now in ") +
                          DoorTN.NameOf(door.ActiveState));
    }

    public static void Main() {
        var context = new DoorContext();
        var door = new DoorTN(context);
        Console.WriteLine("starting");
        door.Start(); // Closed: the motor stops and the lock engages
        Console.WriteLine("  now in " + DoorTN.NameOf(door.ActiveState));

        Feed(door, DoorTN.Event.Open); // refused: the lock is engaged
        Console.WriteLine("(a key releases the lock)");
        context.Lock.Release();
        Feed(door, DoorTN.Event.Open);    // leaving Closed releases the lock again
        Feed(door, DoorTN.Event.EndStop); // fully open: the timer starts

        Console.WriteLine("(someone stands in the doorway)");
        context.Sensor.IsBlocked = true;
        Feed(door, DoorTN.Event.Close);   // refused while the doorway is blocked
        Feed(door, DoorTN.Event.Timeout); // the guarded timeout wins: beep, wait again

        Console.WriteLine("(the doorway is clear)");
        context.Sensor.IsBlocked = false;
        Feed(door, DoorTN.Event.Timeout);  // now the unguarded timeout closes the door
        Feed(door, DoorTN.Event.Obstacle); // something in the way: open again
        Feed(door, DoorTN.Event.Close);
        Feed(door, DoorTN.Event.EndStop); // closed and locked
    }
}

}
