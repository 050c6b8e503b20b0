/* The C machine that tvc2c generates for the player chart, behind the functions of
   player_c.h. Compiled as C against the C context header. */
#include "player_c.h"

#include "playerTN.h"
#include "playerlightTN.h"

static PlayerContext context = {player_c_count, player_c_pos, player_c_advance, player_c_back,
                                player_c_rewind};
static PlayerTN machine;

void player_c_init(void) {
    PlayerTN_init(&machine, &context);
}

void player_c_start(void) {
    PlayerTN_start(&machine);
}
void player_c_Power(void) {
    PlayerTN_Power(&machine);
}
void player_c_Play(void) {
    PlayerTN_Play(&machine);
}
void player_c_Pause(void) {
    PlayerTN_Pause(&machine);
}
void player_c_Stop(void) {
    PlayerTN_Stop(&machine);
}
void player_c_Seek(void) {
    PlayerTN_Seek(&machine);
}
void player_c_Tick(void) {
    PlayerTN_Tick(&machine);
}

static PlayerLightContext lightContext = {player_light_count, player_light_pos,
                                          player_light_advance, player_light_back,
                                          player_light_rewind};
static PlayerLightTN lightMachine;

void player_lc_init(void) {
    PlayerLightTN_init(&lightMachine, &lightContext);
}
void player_lc_start(void) {
    PlayerLightTN_start(&lightMachine);
}
void player_lc_Power(void) {
    PlayerLightTN_Power(&lightMachine);
}
void player_lc_Play(void) {
    PlayerLightTN_Play(&lightMachine);
}
void player_lc_Pause(void) {
    PlayerLightTN_Pause(&lightMachine);
}
void player_lc_Stop(void) {
    PlayerLightTN_Stop(&lightMachine);
}
void player_lc_Seek(void) {
    PlayerLightTN_Seek(&lightMachine);
}
void player_lc_Tick(void) {
    PlayerLightTN_Tick(&lightMachine);
}
