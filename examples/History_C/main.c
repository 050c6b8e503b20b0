/* Drives the washing programme through an interruption: opening the door pauses it, and
   closing the door resumes the step that was running, which the Running state's history
   remembers. Prints what the devices do and where the machine is after each event. */
#include "historyTN.h"

#include <stdio.h>

static void feed(WasherTN* washer, WasherTN_Event event) {
    printf("> %s\n", WasherTN_eventName(event));
    if (WasherTN_dispatch(washer, event) == WasherTN_IGNORED)
        printf("  ignored in %s\n", WasherTN_stateName(WasherTN_activeState(washer)));
    else
        printf("  now in %s\n", WasherTN_stateName(WasherTN_activeState(washer)));
}

int main(void) {
    Washer context = {0};
    WasherTN washer;
    WasherTN_init(&washer, &context);
    puts("starting");
    /* Idle; the chart's event start is WasherTN_E_start_, beside WasherTN_start() */
    WasherTN_start(&washer);
    printf("  now in %s\n", WasherTN_stateName(WasherTN_activeState(&washer)));

    feed(&washer, WasherTN_E_start_); /* Running starts with Washing */
    feed(&washer, WasherTN_E_washed); /* Rinsing */
    puts("(the door is opened)");
    washer_door_closed = false;
    feed(&washer, WasherTN_E_doorOpened); /* leaves Rinsing and Running, which remembers Rinsing */
    feed(&washer, WasherTN_E_doorClosed); /* refused: the door sensor still reads open */
    puts("(the door is shut)");
    washer_door_closed = true;
    feed(&washer, WasherTN_E_doorClosed); /* history: back into Rinsing, not Washing */
    feed(&washer, WasherTN_E_rinsed);
    feed(&washer, WasherTN_E_spun); /* the final state completes Running, which stays active */
    return 0;
}
