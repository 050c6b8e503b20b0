#ifndef DOOR_CONTEXT_H
#define DOOR_CONTEXT_H
/* What the door chart's actions call, in C. The actions name the devices directly
   (motor.open(), !lock.engaged()), so each device is a structure of function pointers at file
   scope; the context structure carries nothing the chart needs. */
#include <stdbool.h>

typedef struct DoorContext {
    int unused; /* C has no empty structures */
} DoorContext;

struct Motor {
    void (*open)(void);
    void (*close)(void);
    void (*stop)(void);
};
struct Lock {
    void (*engage)(void);
    void (*release)(void);
    bool (*engaged)(void);
};
struct Timer {
    void (*start)(int seconds);
    void (*stop)(void);
};
struct Sensor {
    bool (*blocked)(void);
};
struct Buzzer {
    void (*beep)(void);
};

extern const struct Motor motor;
extern const struct Lock lock;
extern const struct Timer timer;
extern const struct Sensor sensor;
extern const struct Buzzer buzzer;

/* The light barrier across the doorway; set by the program in this example. */
extern bool door_sensor_blocked;

/* log is the C library's logarithm: the chart's log("...") reaches door_log instead. */
void door_log(const char* text);
#define log(text) door_log(text)

#endif
