/* The player chart written by hand in C as one switch per event over the innermost active
   state, calling the context's plain functions directly: the yardstick for the C machine,
   the C twin of player_switch.h. */
#include "player_c.h"

enum State { None, Off, Idle, Playing, Normal, FastForward, Rewind, Paused };

static enum State state = None;
static enum State history = None; /* On's last direct sub-state */

static void enterNormal(void) {
    player_c_count(8);
    state = Normal;
}

static void enterPlaying(void) {
    player_c_count(6);
    enterNormal();
}

/* Default entry into On resumes the sub-state it was left in; Playing itself starts over. */
static void enterOn(void) {
    player_c_count(2);
    switch (history) {
    case Playing:
        enterPlaying();
        return;
    case Paused:
        player_c_count(14);
        state = Paused;
        return;
    default:
        player_c_count(4);
        state = Idle;
        return;
    }
}

/* Leaves Playing from whichever of its sub-states is active; 0 when not in Playing. */
static int exitPlaying(void) {
    switch (state) {
    case Normal:
        player_c_count(9);
        break;
    case FastForward:
        player_c_count(11);
        break;
    case Rewind:
        player_c_count(13);
        break;
    default:
        return 0;
    }
    player_c_count(7);
    return 1;
}

void player_cs_init(void) {
    state = None;
    history = None;
}

void player_cs_start(void) {
    if (state != None)
        return;
    player_c_count(0);
    state = Off;
}

void player_cs_Power(void) {
    switch (state) {
    case Off:
        player_c_count(1);
        player_c_count(16);
        enterOn();
        return;
    case Idle:
        player_c_count(5);
        history = Idle;
        break;
    case Normal:
        player_c_count(9);
        player_c_count(7);
        history = Playing;
        break;
    case FastForward:
        player_c_count(11);
        player_c_count(7);
        history = Playing;
        break;
    case Rewind:
        player_c_count(13);
        player_c_count(7);
        history = Playing;
        break;
    case Paused:
        player_c_count(15);
        history = Paused;
        break;
    default:
        return;
    }
    player_c_count(3);
    player_c_count(17);
    player_c_rewind();
    player_c_count(0);
    state = Off;
}

void player_cs_Play(void) {
    switch (state) {
    case Off:
        player_c_count(1);
        player_c_count(21);
        enterOn();
        return;
    case Idle:
        player_c_count(5);
        enterPlaying();
        return;
    case FastForward:
        player_c_count(11);
        enterNormal();
        return;
    case Rewind:
        player_c_count(13);
        enterNormal();
        return;
    case Paused:
        player_c_count(15);
        enterPlaying();
        return;
    default:
        return;
    }
}

void player_cs_Pause(void) {
    if (!exitPlaying())
        return;
    player_c_count(14);
    state = Paused;
}

void player_cs_Stop(void) {
    if (state == Paused)
        player_c_count(15);
    else if (!exitPlaying())
        return;
    player_c_count(18);
    player_c_count(4);
    state = Idle;
}

void player_cs_Seek(void) {
    if (state != Normal)
        return;
    player_c_count(9);
    if (player_c_pos() >= 50) {
        player_c_count(12);
        state = Rewind;
    } else {
        player_c_count(10);
        state = FastForward;
    }
}

void player_cs_Tick(void) {
    switch (state) {
    case Normal:
        player_c_count(9);
        player_c_advance(1);
        player_c_count(8);
        return;
    case FastForward:
        player_c_count(11);
        if (player_c_pos() >= 50) {
            player_c_count(19);
            enterNormal();
        } else {
            player_c_advance(10);
            player_c_count(10);
        }
        return;
    case Rewind:
        player_c_count(13);
        if (player_c_pos() >= 50) {
            player_c_back(10);
            player_c_count(12);
        } else {
            player_c_count(20);
            enterNormal();
        }
        return;
    default:
        return;
    }
}
