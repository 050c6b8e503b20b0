#ifndef WASHER_H
#define WASHER_H
/* What history.tvc's actions call, in C. */

typedef struct Washer {
    int unused;
} Washer;
enum Speed { SLOW, FAST };

struct WasherDisplay {
    void (*show)(const char* text);
};
struct WasherDoor {
    void (*lock)(void);
    void (*unlock)(void);
    int (*closed)(void);
};
struct WasherDrum {
    void (*turn)(enum Speed speed);
    void (*stop)(void);
};
struct WasherValve {
    void (*open)(void);
    void (*close)(void);
};
struct WasherPump {
    void (*on)(void);
    void (*off)(void);
};
struct WasherMotor {
    void (*stop)(void);
};
struct WasherBuzzer {
    void (*beep)(void);
};

extern struct WasherDisplay display;
extern struct WasherDoor door;
extern struct WasherDrum drum;
extern struct WasherValve valve;
extern struct WasherPump pump;
extern struct WasherMotor motor;
extern struct WasherBuzzer buzzer;
void washer_log(const char* line);
#define log(line) washer_log(line)

#endif
