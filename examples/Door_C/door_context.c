/* The door's devices: each prints what it would do to the hardware. */
#include "door_context.h"

#include <stdio.h>

bool door_sensor_blocked = false;
static bool lock_engaged = false;

static void motor_open(void) {
    puts("motor: open");
}
static void motor_close(void) {
    puts("motor: close");
}
static void motor_stop(void) {
    puts("motor: stop");
}
const struct Motor motor = {motor_open, motor_close, motor_stop};

static void lock_engage(void) {
    lock_engaged = true;
    puts("lock: engaged");
}
static void lock_release(void) {
    lock_engaged = false;
    puts("lock: released");
}
static bool lock_is_engaged(void) {
    return lock_engaged;
}
const struct Lock lock = {lock_engage, lock_release, lock_is_engaged};

static void timer_start(int seconds) {
    printf("timer: %d s\n", seconds);
}
static void timer_stop(void) {
    puts("timer: stopped");
}
const struct Timer timer = {timer_start, timer_stop};

static bool sensor_is_blocked(void) {
    return door_sensor_blocked;
}
const struct Sensor sensor = {sensor_is_blocked};

static void buzzer_beep(void) {
    puts("buzzer: beep");
}
const struct Buzzer buzzer = {buzzer_beep};

void door_log(const char* text) {
    printf("log: %s\n", text);
}
