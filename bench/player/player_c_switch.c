/* The player chart written by hand in C as one switch per event over the innermost active
   state: the yardstick for the C machine, the C twin of player_switch.h. It calls the
   context's plain functions directly; built with PLAYER_SWITCH_THROUGH_CONTEXT it calls them
   through the function pointers of the C machine's context instead, as the machine must, and
   its functions are named player_cf_. */
#include "player_c.h"

/* PLAYER_SWITCH_LIGHT: the same against the light context's functions, named player_ls_
   (direct) and player_lf_ (through the context). */
#ifdef PLAYER_SWITCH_LIGHT
#define CONTEXT_FN(fn) player_light_##fn
#else
#define CONTEXT_FN(fn) player_c_##fn
#endif

#ifdef PLAYER_SWITCH_THROUGH_CONTEXT
#include "c/PlayerContext.h"
static PlayerContext context = {CONTEXT_FN(count), CONTEXT_FN(pos), CONTEXT_FN(advance),
                                CONTEXT_FN(back), CONTEXT_FN(rewind)};
static PlayerContext* const ctx = &context;
#define CALL(fn) ctx->fn
#ifdef PLAYER_SWITCH_LIGHT
#define API(fn) player_lf_##fn
#else
#define API(fn) player_cf_##fn
#endif
#else
#define CALL(fn) CONTEXT_FN(fn)
#ifdef PLAYER_SWITCH_LIGHT
#define API(fn) player_ls_##fn
#else
#define API(fn) player_cs_##fn
#endif
#endif

enum State { None, Off, Idle, Playing, Normal, FastForward, Rewind, Paused };

static enum State state = None;
static enum State history = None; /* On's last direct sub-state */

static void enterNormal(void) {
    CALL(count)(8);
    state = Normal;
}

static void enterPlaying(void) {
    CALL(count)(6);
    enterNormal();
}

/* Default entry into On resumes the sub-state it was left in; Playing itself starts over. */
static void enterOn(void) {
    CALL(count)(2);
    switch (history) {
    case Playing:
        enterPlaying();
        return;
    case Paused:
        CALL(count)(14);
        state = Paused;
        return;
    default:
        CALL(count)(4);
        state = Idle;
        return;
    }
}

/* Leaves Playing from whichever of its sub-states is active; 0 when not in Playing. */
static int exitPlaying(void) {
    switch (state) {
    case Normal:
        CALL(count)(9);
        break;
    case FastForward:
        CALL(count)(11);
        break;
    case Rewind:
        CALL(count)(13);
        break;
    default:
        return 0;
    }
    CALL(count)(7);
    return 1;
}

void API(init)(void) {
    state = None;
    history = None;
}

void API(start)(void) {
    if (state != None)
        return;
    CALL(count)(0);
    state = Off;
}

void API(Power)(void) {
    switch (state) {
    case Off:
        CALL(count)(1);
        CALL(count)(16);
        enterOn();
        return;
    case Idle:
        CALL(count)(5);
        history = Idle;
        break;
    case Normal:
        CALL(count)(9);
        CALL(count)(7);
        history = Playing;
        break;
    case FastForward:
        CALL(count)(11);
        CALL(count)(7);
        history = Playing;
        break;
    case Rewind:
        CALL(count)(13);
        CALL(count)(7);
        history = Playing;
        break;
    case Paused:
        CALL(count)(15);
        history = Paused;
        break;
    default:
        return;
    }
    CALL(count)(3);
    CALL(count)(17);
    CALL(rewind)();
    CALL(count)(0);
    state = Off;
}

void API(Play)(void) {
    switch (state) {
    case Off:
        CALL(count)(1);
        CALL(count)(21);
        enterOn();
        return;
    case Idle:
        CALL(count)(5);
        enterPlaying();
        return;
    case FastForward:
        CALL(count)(11);
        enterNormal();
        return;
    case Rewind:
        CALL(count)(13);
        enterNormal();
        return;
    case Paused:
        CALL(count)(15);
        enterPlaying();
        return;
    default:
        return;
    }
}

void API(Pause)(void) {
    if (!exitPlaying())
        return;
    CALL(count)(14);
    state = Paused;
}

void API(Stop)(void) {
    if (state == Paused)
        CALL(count)(15);
    else if (!exitPlaying())
        return;
    CALL(count)(18);
    CALL(count)(4);
    state = Idle;
}

void API(Seek)(void) {
    if (state != Normal)
        return;
    CALL(count)(9);
    if (CALL(pos)() >= 50) {
        CALL(count)(12);
        state = Rewind;
    } else {
        CALL(count)(10);
        state = FastForward;
    }
}

void API(Tick)(void) {
    switch (state) {
    case Normal:
        CALL(count)(9);
        CALL(advance)(1);
        CALL(count)(8);
        return;
    case FastForward:
        CALL(count)(11);
        if (CALL(pos)() >= 50) {
            CALL(count)(19);
            enterNormal();
        } else {
            CALL(advance)(10);
            CALL(count)(10);
        }
        return;
    case Rewind:
        CALL(count)(13);
        if (CALL(pos)() >= 50) {
            CALL(back)(10);
            CALL(count)(12);
        } else {
            CALL(count)(20);
            enterNormal();
        }
        return;
    default:
        return;
    }
}
