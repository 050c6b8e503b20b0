// Drives the door chart through a locked door, an opening, a blocked doorway and an obstacle,
// printing what the devices do and where the machine is after each event.
#include "doorTN.h"

#include <iostream>

namespace {

void feed(DoorTN& door, DoorTN::Event event) {
    std::cout << "> " << DoorTN::nameOf(event) << '\n';
    const DoorTN::Result result = door.dispatch(event);
    std::cout << (result == DoorTN::Result::Ignored ? "  ignored in " : "  now in ")
              << DoorTN::nameOf(door.activeState()) << '\n';
}

} // namespace

int main() {
    DoorContext context;
    DoorTN door(context);
    std::cout << "starting\n";
    door.start(); // Closed: the motor stops and the lock engages
    std::cout << "  now in " << DoorTN::nameOf(door.activeState()) << '\n';

    feed(door, DoorTN::Event::open); // refused: the lock is engaged
    std::cout << "(a key releases the lock)\n";
    lock.release();
    feed(door, DoorTN::Event::open);    // leaving Closed releases the lock again
    feed(door, DoorTN::Event::endStop); // fully open: the timer starts

    std::cout << "(someone stands in the doorway)\n";
    sensor.isBlocked = true;
    feed(door, DoorTN::Event::close);   // refused while the doorway is blocked
    feed(door, DoorTN::Event::timeout); // the guarded timeout wins: beep, wait again

    std::cout << "(the doorway is clear)\n";
    sensor.isBlocked = false;
    feed(door, DoorTN::Event::timeout);  // now the unguarded timeout closes the door
    feed(door, DoorTN::Event::obstacle); // something in the way: open again
    feed(door, DoorTN::Event::close);
    feed(door, DoorTN::Event::endStop); // closed and locked
    return 0;
}
