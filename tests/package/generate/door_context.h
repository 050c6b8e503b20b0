#pragma once
// The outside world of the door chart: its actions call these objects directly.
#include <iostream>

struct DoorContext {};

struct Motor {
    void open() { std::cout << "motor open\n"; }
    void close() { std::cout << "motor close\n"; }
    void stop() { std::cout << "motor stop\n"; }
};

struct Lock {
    bool on = false;
    void engage() {
        on = true;
        std::cout << "lock engage\n";
    }
    void release() {
        on = false;
        std::cout << "lock release\n";
    }
    bool engaged() const { return on; }
};

struct Timer {
    void start(int seconds) { std::cout << "timer start " << seconds << '\n'; }
    void stop() { std::cout << "timer stop\n"; }
};

struct Sensor {
    bool isBlocked = false;
    bool blocked() const { return isBlocked; }
};

struct Buzzer {
    void beep() { std::cout << "beep\n"; }
};

inline Motor motor;
inline Lock lock;
inline Timer timer;
inline Sensor sensor;
inline Buzzer buzzer;

inline void log(const char* text) {
    std::cout << "log: " << text << '\n';
}
