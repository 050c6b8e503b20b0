/* The junction's lamps, timer and request handling: each prints what it would do. */
#include "junction.h"

#include <stdio.h>

bool junction_min_green_over = false;

void lamp(int lit) {
    printf("lamps:%s%s%s\n", lit & RED ? " red" : "", lit & AMBER ? " amber" : "",
           lit & GREEN ? " green" : "");
}

void walk(bool on) {
    puts(on ? "pedestrians: walk" : "pedestrians: wait");
}

static void timer_start(int seconds) {
    printf("timer: %d s\n", seconds);
}
const struct Timer timer = {timer_start};

static bool min_green_done(void) {
    return junction_min_green_over;
}
static void remember_request(void) {
    puts("request noted");
}
static void request_served(void) {
    puts("request served early");
}
static void clear_request(void) {}
const Junction junction = {min_green_done, remember_request, request_served, clear_request};
