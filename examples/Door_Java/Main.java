package example.door;

/**
 * Drives the door chart through a locked door, an opening, a blocked doorway and an obstacle,
 * printing what the devices do and where the machine is after each event.
 */
public final class Main {
    private Main() {}

    private static void feed(DoorTN door, DoorTN.Event event) {
        System.out.println("> " + event.chartName());
        final DoorTN.Result result = door.dispatch(event);
        System.out.println((result == DoorTN.Result.IGNORED ? "  ignored in " : "  now in ") +
                           door.activeState().chartName());
    }

    public static void main(String[] args) {
        final DoorContext context = new DoorContext();
        final DoorTN door = new DoorTN(context);
        System.out.println("starting");
        door.start(); // Closed: the motor stops and the lock engages
        System.out.println("  now in " + door.activeState().chartName());

        feed(door, DoorTN.Event.open); // refused: the lock is engaged
        System.out.println("(a key releases the lock)");
        context.lock.release();
        feed(door, DoorTN.Event.open);    // leaving Closed releases the lock again
        feed(door, DoorTN.Event.endStop); // fully open: the timer starts

        System.out.println("(someone stands in the doorway)");
        context.sensor.setBlocked(true);
        feed(door, DoorTN.Event.close);   // refused while the doorway is blocked
        feed(door, DoorTN.Event.timeout); // the guarded timeout wins: beep, wait again

        System.out.println("(the doorway is clear)");
        context.sensor.setBlocked(false);
        feed(door, DoorTN.Event.timeout);  // now the unguarded timeout closes the door
        feed(door, DoorTN.Event.obstacle); // something in the way: open again
        feed(door, DoorTN.Event.close);
        feed(door, DoorTN.Event.endStop); // closed and locked
    }
}
