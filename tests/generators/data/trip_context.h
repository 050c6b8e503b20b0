#pragma once
// The context of the behaviour chart built in tvc2cpp_test.cpp: actions print what they do,
// a guard reads flag, and raise() sends the machine an event from inside an action.

#include <cstdio>

struct TripContext {
    bool flag = false;
    void* machine = nullptr;
    void (*raisePoke)(void* machine) = nullptr;

    void log(const char* line) { std::printf("%s\n", line); }
    void raise() { raisePoke(machine); }
};
