#ifndef DOOR_CONTEXT_H
#define DOOR_CONTEXT_H
/* What door.tvc's actions call, in C: the devices are structs of function pointers, so the
   chart's lock.engage() reads the same; only declared, the machine is compiled, not linked. */

typedef struct DoorContext {
    int unused;
} DoorContext;

struct DoorLock {
    void (*engage)(void);
    void (*release)(void);
    int (*engaged)(void);
};
struct DoorMotor {
    void (*open)(void);
    void (*close)(void);
    void (*stop)(void);
};
struct DoorTimer {
    void (*start)(int seconds);
    void (*stop)(void);
};
struct DoorBuzzer {
    void (*beep)(void);
};
struct DoorSensor {
    int (*blocked)(void);
};

extern struct DoorLock lock;
extern struct DoorMotor motor;
extern struct DoorTimer timer;
extern struct DoorBuzzer buzzer;
extern struct DoorSensor sensor;
/* log is a C library name; the chart's log() goes elsewhere. */
void door_log(const char* line);
#define log(line) door_log(line)

#endif
