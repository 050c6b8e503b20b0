/* Drives the traffic light through one cycle with a pedestrian request, printing what the
   lamps and the timer do and where the machine is after each event. */
#include "traffic_lightTN.h"

#include <stdio.h>

static void feed(TrafficLightTN* light, TrafficLightTN_Event event) {
    printf("> %s\n", TrafficLightTN_eventName(event));
    if (TrafficLightTN_dispatch(light, event) == TrafficLightTN_IGNORED)
        printf("  ignored in %s\n", TrafficLightTN_stateName(TrafficLightTN_activeState(light)));
    else
        printf("  now in %s\n", TrafficLightTN_stateName(TrafficLightTN_activeState(light)));
}

int main(void) {
    /* The machine keeps a pointer to its context, which it does not change. */
    Junction context = junction;
    TrafficLightTN light;
    TrafficLightTN_init(&light, &context);
    puts("starting");
    TrafficLightTN_start(&light); /* red, pedestrians walk */
    printf("  now in %s\n", TrafficLightTN_stateName(TrafficLightTN_activeState(&light)));

    feed(&light, TrafficLightTN_E_pedestrian); /* nobody handles a request while red */
    feed(&light, TrafficLightTN_E_timer);      /* red and amber */
    feed(&light, TrafficLightTN_E_timer);      /* green */
    feed(&light, TrafficLightTN_E_pedestrian); /* too early: noted, the green phase starts over */
    puts("(the minimum green time is over)");
    junction_min_green_over = true;
    feed(&light, TrafficLightTN_E_pedestrian); /* served: the green phase ends early */
    feed(&light, TrafficLightTN_E_timer);      /* red again */
    return 0;
}
