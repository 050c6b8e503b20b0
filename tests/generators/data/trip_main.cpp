// Drives the generated machine of the behaviour chart and prints each event before the lines
// its actions print. Built with TRIP_TRACE when the machine was generated with -g.

#include "tripTN.h"

#include <cstdio>

int main() {
    TripContext ctx;
    TripTN machine(ctx);
    ctx.machine = &machine;
    ctx.raisePoke = [](void* m) { static_cast<TripTN*>(m)->poke(); };
#ifdef TRIP_TRACE
    machine.setTrace([](void*, const char* line) { std::printf("# %s\n", line); }, nullptr);
#endif
    const auto send = [&](const char* name, TripTN::Result (TripTN::*event)()) {
        std::printf("> %s\n", name);
        (machine.*event)();
    };
    std::printf("> start\n");
    machine.start();
    send("next", &TripTN::next);
    send("go", &TripTN::go);
    send("back", &TripTN::back);
    std::printf("> set flag\n");
    ctx.flag = true;
    send("go", &TripTN::go);
    send("again", &TripTN::again);
    send("next", &TripTN::next);
    send("back", &TripTN::back);
    send("done", &TripTN::done);
    send("back", &TripTN::back);
    send("quit", &TripTN::quit);
    send("next", &TripTN::next);
    std::printf("finished %d\n", machine.isFinished() ? 1 : 0);
}
