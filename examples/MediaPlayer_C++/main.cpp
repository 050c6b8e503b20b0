// Drives the media player through its nested states: power, play, fast forward, pause and
// stop, printing what the devices do and where the machine is after each event.
#include "media_playerTN.h"

#include <iostream>

namespace {

void feed(MediaPlayerTN& machine, MediaPlayerTN::Event event) {
    std::cout << "> " << MediaPlayerTN::nameOf(event) << '\n';
    const MediaPlayerTN::Result result = machine.dispatch(event);
    std::cout << (result == MediaPlayerTN::Result::Ignored ? "  ignored in " : "  now in ")
              << MediaPlayerTN::nameOf(machine.activeState()) << '\n';
}

} // namespace

int main() {
    Player context;
    MediaPlayerTN machine(context);
    std::cout << "starting\n";
    machine.start(); // Off
    std::cout << "  now in " << MediaPlayerTN::nameOf(machine.activeState()) << '\n';

    using Event = MediaPlayerTN::Event;
    feed(machine, Event::play);  // nothing plays while off
    feed(machine, Event::power); // On starts in Idle
    feed(machine, Event::play);  // refused: no medium in the drive
    std::cout << "(a disc goes in)\n";
    player.loaded = true;
    feed(machine, Event::play);        // Playing starts in Normal
    feed(machine, Event::fastForward); // one level deeper
    feed(machine, Event::pause);       // leaves FastForward and Playing, innermost first
    feed(machine, Event::play);        // Playing starts in Normal again: no history
    feed(machine, Event::stop);
    feed(machine, Event::power); // Off, from wherever On was
    return 0;
}
