/* Drives the door chart through a locked door, an opening, a blocked doorway and an obstacle,
   printing what the devices do and where the machine is after each event. */
#include "doorTN.h"

#include <stdio.h>

static void feed(DoorTN* door, DoorTN_Event event) {
    printf("> %s\n", DoorTN_eventName(event));
    if (DoorTN_dispatch(door, event) == DoorTN_IGNORED)
        printf("  ignored in %s\n", DoorTN_stateName(DoorTN_activeState(door)));
    else
        printf("  now in %s\n", DoorTN_stateName(DoorTN_activeState(door)));
}

int main(void) {
    DoorContext context = {0};
    DoorTN door;
    DoorTN_init(&door, &context);
    puts("starting");
    DoorTN_start(&door); /* Closed: the motor stops and the lock engages */
    printf("  now in %s\n", DoorTN_stateName(DoorTN_activeState(&door)));

    feed(&door, DoorTN_E_open); /* refused: the lock is engaged */
    puts("(a key releases the lock)");
    lock.release();
    feed(&door, DoorTN_E_open);    /* leaving Closed releases the lock again */
    feed(&door, DoorTN_E_endStop); /* fully open: the timer starts */

    puts("(someone stands in the doorway)");
    door_sensor_blocked = true;
    feed(&door, DoorTN_E_close);   /* refused while the doorway is blocked */
    feed(&door, DoorTN_E_timeout); /* the guarded timeout wins: beep, wait again */

    puts("(the doorway is clear)");
    door_sensor_blocked = false;
    feed(&door, DoorTN_E_timeout);  /* now the unguarded timeout closes the door */
    feed(&door, DoorTN_E_obstacle); /* something in the way: open again */
    feed(&door, DoorTN_E_close);
    feed(&door, DoorTN_E_endStop); /* closed and locked */
    return 0;
}
