#ifndef JUNCTION_H
#define JUNCTION_H
/* What traffic_light.tvc's actions call, in C: the context's members are function pointers. */

#include <stdbool.h> /* the chart writes true and false */

typedef struct Junction {
    void (*clearRequest)(void);
    void (*rememberRequest)(void);
    void (*requestServed)(void);
    int (*minGreenDone)(void);
} Junction;
enum Lamp { RED = 1, AMBER = 2, GREEN = 4 };

struct JunctionTimer {
    void (*start)(int seconds);
};

extern struct JunctionTimer timer;
void lamp(int lamps);
void walk(int on);

#endif
