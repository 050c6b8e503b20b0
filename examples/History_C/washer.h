#ifndef WASHER_H
#define WASHER_H
/* What the washing machine chart's actions call, in C. The actions name the devices directly
   (drum.turn(), door.closed()), so each device is a structure of function pointers at file
   scope; the context structure carries nothing the chart needs. */
#include <stdbool.h>

typedef struct Washer {
    int unused; /* C has no empty structures */
} Washer;

enum Speed { SLOW, FAST };

struct Display {
    void (*show)(const char* text);
};
struct Door {
    void (*lock)(void);
    void (*unlock)(void);
    bool (*closed)(void);
};
struct Drum {
    void (*turn)(enum Speed speed);
    void (*stop)(void);
};
struct Valve {
    void (*open)(void);
    void (*close)(void);
};
struct Pump {
    void (*on)(void);
    void (*off)(void);
};
struct Motor {
    void (*stop)(void);
};
struct Buzzer {
    void (*beep)(void);
};

extern const struct Display display;
extern const struct Door door;
extern const struct Drum drum;
extern const struct Valve valve;
extern const struct Pump pump;
extern const struct Motor motor;
extern const struct Buzzer buzzer;

/* What the door sensor reads; set by the program in this example. */
extern bool washer_door_closed;

/* log is the C library's logarithm: the chart's log("...") reaches washer_log instead. */
void washer_log(const char* text);
#define log(text) washer_log(text)

#endif
