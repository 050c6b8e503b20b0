#ifndef PLAYER_H
#define PLAYER_H
/* What media_player.tvc's actions call, in C. */

#include <stdbool.h> /* the chart writes true and false */

typedef struct Player {
    int unused;
} Player;

struct PlayerAmp {
    void (*powerUp)(void);
    void (*powerDown)(void);
};
struct PlayerDisplay {
    void (*on)(void);
    void (*off)(void);
    void (*blink)(int on);
    void (*show)(const char* text);
};
struct PlayerDeck {
    void (*start)(void);
    void (*hold)(void);
    void (*resume)(void);
    void (*rewind)(void);
    void (*speed)(int factor);
    int (*hasMedia)(void);
};

extern struct PlayerAmp amp;
extern struct PlayerDisplay display;
extern struct PlayerDeck player;

#endif
