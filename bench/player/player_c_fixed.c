/* The light C machine once more, its context fixed when the file is compiled: a constant
   structure of the light context's functions named by PLAYERFIXEDTN_CONTEXT, so the machine
   calls them directly, as a C user with one context for the machine would build it. */
#include "c/PlayerContext.h"
#include "player_c.h"

#include <stddef.h>

static const PlayerLightContext fixedContext = {player_light_count, player_light_pos,
                                                player_light_advance, player_light_back,
                                                player_light_rewind};
#define PLAYERFIXEDTN_CONTEXT ((PlayerLightContext*)&fixedContext)
#include "playerfixedTN.c"

static PlayerFixedTN fixedMachine;

void player_xc_init(void) {
    PlayerFixedTN_init(&fixedMachine, PLAYERFIXEDTN_CONTEXT);
}
void player_xc_start(void) {
    PlayerFixedTN_start(&fixedMachine);
}
void player_xc_Power(void) {
    PlayerFixedTN_Power(&fixedMachine);
}
void player_xc_Play(void) {
    PlayerFixedTN_Play(&fixedMachine);
}
void player_xc_Pause(void) {
    PlayerFixedTN_Pause(&fixedMachine);
}
void player_xc_Stop(void) {
    PlayerFixedTN_Stop(&fixedMachine);
}
void player_xc_Seek(void) {
    PlayerFixedTN_Seek(&fixedMachine);
}
void player_xc_Tick(void) {
    PlayerFixedTN_Tick(&fixedMachine);
}
