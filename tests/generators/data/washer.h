#pragma once
// What history.tvc's actions call: the context class and the devices its actions name.

struct Washer {};

enum Speed { SLOW, FAST };
struct WasherDisplay {
    void show(const char*) {}
};
struct WasherDoor {
    void lock() {}
    void unlock() {}
    bool closed() const { return true; }
};
struct WasherDrum {
    void turn(Speed) {}
    void stop() {}
};
struct WasherValve {
    void open() {}
    void close() {}
};
struct WasherPump {
    void on() {}
    void off() {}
};
struct WasherMotor {
    void stop() {}
};
struct WasherBuzzer {
    void beep() {}
};

inline WasherDisplay display;
inline WasherDoor door;
inline WasherDrum drum;
inline WasherValve valve;
inline WasherPump pump;
inline WasherMotor motor;
inline WasherBuzzer buzzer;
inline void log(const char*) {}
