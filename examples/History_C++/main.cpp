// Drives the washing programme through an interruption: opening the door pauses it, and
// closing the door resumes the step that was running, which the Running state's history
// remembers. Prints what the devices do and where the machine is after each event.
#include "historyTN.h"

#include <iostream>

namespace {

void feed(WasherTN& washer, WasherTN::Event event) {
    std::cout << "> " << WasherTN::nameOf(event) << '\n';
    const WasherTN::Result result = washer.dispatch(event);
    std::cout << (result == WasherTN::Result::Ignored ? "  ignored in " : "  now in ")
              << WasherTN::nameOf(washer.activeState()) << '\n';
}

} // namespace

int main() {
    Washer context;
    WasherTN washer(context);
    std::cout << "starting\n";
    washer.start(); // Idle; the chart's event start is start_ here, beside the machine's start()
    std::cout << "  now in " << WasherTN::nameOf(washer.activeState()) << '\n';

    using Event = WasherTN::Event;
    feed(washer, Event::start_); // Running starts with Washing
    feed(washer, Event::washed); // Rinsing
    std::cout << "(the door is opened)\n";
    door.isClosed = false;
    feed(washer, Event::doorOpened); // leaves Rinsing and Running, which remembers Rinsing
    feed(washer, Event::doorClosed); // refused: the door sensor still reads open
    std::cout << "(the door is shut)\n";
    door.isClosed = true;
    feed(washer, Event::doorClosed); // history: back into Rinsing, not Washing
    feed(washer, Event::rinsed);
    feed(washer, Event::spun); // the final state completes Running, which stays active
    return 0;
}
