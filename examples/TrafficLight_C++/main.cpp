// Drives the traffic light through one cycle with a pedestrian request, printing what the
// lamps and the timer do and where the machine is after each event.
#include "traffic_lightTN.h"

#include <iostream>

namespace {

void feed(TrafficLightTN& light, TrafficLightTN::Event event) {
    std::cout << "> " << TrafficLightTN::nameOf(event) << '\n';
    const TrafficLightTN::Result result = light.dispatch(event);
    std::cout << (result == TrafficLightTN::Result::Ignored ? "  ignored in " : "  now in ")
              << TrafficLightTN::nameOf(light.activeState()) << '\n';
}

} // namespace

int main() {
    Junction junction;
    TrafficLightTN light(junction);
    std::cout << "starting\n";
    light.start(); // red, pedestrians walk
    std::cout << "  now in " << TrafficLightTN::nameOf(light.activeState()) << '\n';

    using Event = TrafficLightTN::Event;
    feed(light, Event::pedestrian); // nobody handles a request while red
    feed(light, Event::timer);      // red and amber
    feed(light, Event::timer);      // green
    feed(light, Event::pedestrian); // too early: noted, and the green phase starts over
    std::cout << "(the minimum green time is over)\n";
    junction.minGreenOver = true;
    feed(light, Event::pedestrian); // served: the green phase ends early
    feed(light, Event::timer);      // red again
    return 0;
}
