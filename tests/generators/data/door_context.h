#pragma once
// What door.tvc's actions call: the context class and the devices its actions name.

struct DoorContext {};

struct DoorLock {
    void engage() {}
    void release() {}
    bool engaged() const { return false; }
};
struct DoorMotor {
    void open() {}
    void close() {}
    void stop() {}
};
struct DoorTimer {
    void start(int) {}
    void stop() {}
};
struct DoorBuzzer {
    void beep() {}
};
struct DoorSensor {
    bool blocked() const { return false; }
};

inline DoorLock lock;
inline DoorMotor motor;
inline DoorTimer timer;
inline DoorBuzzer buzzer;
inline DoorSensor sensor;
inline void log(const char*) {}
