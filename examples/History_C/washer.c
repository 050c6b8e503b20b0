/* The washing machine's devices: each prints what it would do. */
#include "washer.h"

#include <stdio.h>

bool washer_door_closed = true;

static void display_show(const char* text) {
    printf("display: %s\n", text);
}
const struct Display display = {display_show};

static void door_lock(void) {
    puts("door: locked");
}
static void door_unlock(void) {
    puts("door: unlocked");
}
static bool door_is_closed(void) {
    return washer_door_closed;
}
const struct Door door = {door_lock, door_unlock, door_is_closed};

static void drum_turn(enum Speed speed) {
    puts(speed == FAST ? "drum: fast" : "drum: slow");
}
static void drum_stop(void) {
    puts("drum: stop");
}
const struct Drum drum = {drum_turn, drum_stop};

static void valve_open(void) {
    puts("valve: open");
}
static void valve_close(void) {
    puts("valve: closed");
}
const struct Valve valve = {valve_open, valve_close};

static void pump_on(void) {
    puts("pump: on");
}
static void pump_off(void) {
    puts("pump: off");
}
const struct Pump pump = {pump_on, pump_off};

static void motor_stop(void) {
    puts("motor: stop");
}
const struct Motor motor = {motor_stop};

static void buzzer_beep(void) {
    puts("buzzer: beep");
}
const struct Buzzer buzzer = {buzzer_beep};

void washer_log(const char* text) {
    printf("log: %s\n", text);
}
