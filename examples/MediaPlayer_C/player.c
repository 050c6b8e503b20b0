/* The player's devices: each prints what it would do. */
#include "player.h"

#include <stdio.h>

bool player_loaded = false;

static void amp_power_up(void) {
    puts("amp: power up");
}
static void amp_power_down(void) {
    puts("amp: power down");
}
const struct Amplifier amp = {amp_power_up, amp_power_down};

static void display_on(void) {
    puts("display: on");
}
static void display_off(void) {
    puts("display: off");
}
static void display_blink(bool on) {
    puts(on ? "display: blinking" : "display: steady");
}
static void display_show(const char* text) {
    printf("display: %s\n", text);
}
const struct Display display = {display_on, display_off, display_blink, display_show};

static void deck_start(void) {
    puts("deck: start");
}
static void deck_hold(void) {
    puts("deck: hold");
}
static void deck_resume(void) {
    puts("deck: resume");
}
static void deck_rewind(void) {
    puts("deck: rewind");
}
static void deck_speed(int factor) {
    printf("deck: speed x%d\n", factor);
}
static bool deck_has_media(void) {
    return player_loaded;
}
const struct Deck player = {deck_start,  deck_hold,  deck_resume,
                            deck_rewind, deck_speed, deck_has_media};
