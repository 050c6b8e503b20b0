// Runs the door machine through one opening and closing, with a locked door and a blocked
// sensor on the way.
#include "doorTN.h"

#include <string>

namespace {

void traceLine(void* seen, const char* line) {
    *static_cast<std::string*>(seen) += std::string(line) + '\n';
}

} // namespace

int main() {
    DoorContext ctx;
    DoorTN door(ctx);
    std::string trace;
    door.setTrace(&traceLine, &trace);
    door.start();
    std::cout << "-- open while locked\n";
    door.open();
    std::cout << "-- unlock, open\n";
    lock.on = false;
    door.open();
    door.endStop();
    std::cout << "-- timeout while blocked\n";
    sensor.isBlocked = true;
    door.timeout();
    std::cout << "-- timeout\n";
    sensor.isBlocked = false;
    door.timeout();
    door.endStop();
    std::cout << "finished: " << door.isFinished() << '\n';
    std::cout << "trace:\n" << trace;
    return 0;
}
