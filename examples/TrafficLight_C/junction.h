#ifndef JUNCTION_H
#define JUNCTION_H
/* What the traffic light chart's actions call, in C: the functions lamp and walk and the
   structure timer, which the chart names directly, and the context Junction, a structure of
   function pointers that the actions call as ctx.minGreenDone(). */
#include <stdbool.h>

enum Lamp { RED = 1, AMBER = 2, GREEN = 4 };

void lamp(int lit);
void walk(bool on);

struct Timer {
    void (*start)(int seconds);
};
extern const struct Timer timer;

typedef struct Junction {
    bool (*minGreenDone)(void);
    void (*rememberRequest)(void);
    void (*requestServed)(void);
    void (*clearRequest)(void);
} Junction;

/* The junction's context; junction_min_green_over is set by the program in this example. */
extern const Junction junction;
extern bool junction_min_green_over;

#endif
