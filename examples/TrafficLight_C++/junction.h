#pragma once
// What the traffic light chart's actions call: the free functions lamp and walk and the object
// timer, which the chart names directly, and the context class Junction, which it reaches as
// ctx. In a real controller they would drive the hardware; here they print what they would do.
#include <iostream>

enum Lamp { RED = 1, AMBER = 2, GREEN = 4 };

inline void lamp(int lit) {
    std::cout << "lamps:" << (lit & RED ? " red" : "") << (lit & AMBER ? " amber" : "")
              << (lit & GREEN ? " green" : "") << '\n';
}

inline void walk(bool on) {
    std::cout << (on ? "pedestrians: walk\n" : "pedestrians: wait\n");
}

struct Timer {
    void start(int seconds) { std::cout << "timer: " << seconds << " s\n"; }
};
inline Timer timer;

class Junction {
public:
    bool minGreenDone() const { return minGreenOver; }
    void rememberRequest() { std::cout << "request noted\n"; }
    void requestServed() { std::cout << "request served early\n"; }
    void clearRequest() {}

    bool minGreenOver = false; // set by the program in this example
};
