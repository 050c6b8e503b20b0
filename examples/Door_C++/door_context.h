#pragma once
// What the door chart's actions call. They name the door's devices directly (motor.open(),
// !lock.engaged()), so in C++ the devices are objects at namespace scope; the context class
// carries nothing of its own. Each device prints what it would do to the hardware.
#include <iostream>

struct Motor {
    void open() { std::cout << "motor: open\n"; }
    void close() { std::cout << "motor: close\n"; }
    void stop() { std::cout << "motor: stop\n"; }
};

struct Lock {
    void engage() {
        engaged_ = true;
        std::cout << "lock: engaged\n";
    }
    void release() {
        engaged_ = false;
        std::cout << "lock: released\n";
    }
    bool engaged() const { return engaged_; }

private:
    bool engaged_ = false;
};

struct Timer {
    void start(int seconds) { std::cout << "timer: " << seconds << " s\n"; }
    void stop() { std::cout << "timer: stopped\n"; }
};

// The light barrier across the doorway.
struct Sensor {
    bool blocked() const { return isBlocked; }
    bool isBlocked = false; // set by the program in this example
};

struct Buzzer {
    void beep() { std::cout << "buzzer: beep\n"; }
};

inline Motor motor;
inline Lock lock;
inline Timer timer;
inline Sensor sensor;
inline Buzzer buzzer;

inline void log(const char* text) {
    std::cout << "log: " << text << '\n';
}

struct DoorContext {};
