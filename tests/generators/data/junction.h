#pragma once
// What traffic_light.tvc's actions call: the context class and the devices its actions name.

struct Junction {
    void clearRequest() {}
    void rememberRequest() {}
    void requestServed() {}
    bool minGreenDone() const { return true; }
};

enum Lamp { RED = 1, AMBER = 2, GREEN = 4 };
struct JunctionTimer {
    void start(int) {}
};

inline JunctionTimer timer;
inline void lamp(int) {}
inline void walk(bool) {}
