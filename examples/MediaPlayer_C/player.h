#ifndef PLAYER_H
#define PLAYER_H
/* What the media player chart's actions call, in C. The actions name the devices directly
   (display.show(), player.hasMedia()), so each device is a structure of function pointers at
   file scope; the context structure carries nothing the chart needs. */
#include <stdbool.h> /* the chart writes true and false */

typedef struct Player {
    int unused; /* C has no empty structures */
} Player;

struct Amplifier {
    void (*powerUp)(void);
    void (*powerDown)(void);
};
struct Display {
    void (*on)(void);
    void (*off)(void);
    void (*blink)(bool on);
    void (*show)(const char* text);
};
/* The drive that plays the medium. */
struct Deck {
    void (*start)(void);
    void (*hold)(void);
    void (*resume)(void);
    void (*rewind)(void);
    void (*speed)(int factor);
    bool (*hasMedia)(void);
};

extern const struct Amplifier amp;
extern const struct Display display;
extern const struct Deck player;

/* Whether a medium is in the drive; set by the program in this example. */
extern bool player_loaded;

#endif
