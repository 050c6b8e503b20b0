#pragma once
// What the washing machine chart's actions call. They name the devices directly (drum.turn(),
// door.closed()), so in C++ the devices are objects at namespace scope; the context class
// Washer carries nothing of its own. Each device prints what it would do.
#include <iostream>

enum Speed { SLOW, FAST };

struct Display {
    void show(const char* text) { std::cout << "display: " << text << '\n'; }
};

struct Door {
    void lock() { std::cout << "door: locked\n"; }
    void unlock() { std::cout << "door: unlocked\n"; }
    bool closed() const { return isClosed; }
    bool isClosed = true; // set by the program in this example
};

struct Drum {
    void turn(Speed speed) { std::cout << (speed == FAST ? "drum: fast\n" : "drum: slow\n"); }
    void stop() { std::cout << "drum: stop\n"; }
};

struct Valve {
    void open() { std::cout << "valve: open\n"; }
    void close() { std::cout << "valve: closed\n"; }
};

struct Pump {
    void on() { std::cout << "pump: on\n"; }
    void off() { std::cout << "pump: off\n"; }
};

struct Motor {
    void stop() { std::cout << "motor: stop\n"; }
};

struct Buzzer {
    void beep() { std::cout << "buzzer: beep\n"; }
};

inline Display display;
inline Door door;
inline Drum drum;
inline Valve valve;
inline Pump pump;
inline Motor motor;
inline Buzzer buzzer;

inline void log(const char* text) {
    std::cout << "log: " << text << '\n';
}

struct Washer {};
