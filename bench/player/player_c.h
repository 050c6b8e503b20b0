#ifndef PLAYER_C_H
#define PLAYER_C_H
/* The C machine of the player chart behind plain functions. The benchmark cannot include its
   generated header: the C struct PlayerTN and the C PlayerContext would clash with the C++
   machine's and context's names. There is one C machine; the C++ side defines the player_c_
   context functions that its context's function pointers call. */

#ifdef __cplusplus
extern "C" {
#endif

void player_c_init(void);
void player_c_start(void);
void player_c_Power(void);
void player_c_Play(void);
void player_c_Pause(void);
void player_c_Stop(void);
void player_c_Seek(void);
void player_c_Tick(void);

/* The same chart written by hand as a C switch (player_c_switch.c). */
void player_cs_init(void);
void player_cs_start(void);
void player_cs_Power(void);
void player_cs_Play(void);
void player_cs_Pause(void);
void player_cs_Stop(void);
void player_cs_Seek(void);
void player_cs_Tick(void);

/* The same switch calling through the C machine's function-pointer context. */
void player_cf_init(void);
void player_cf_start(void);
void player_cf_Power(void);
void player_cf_Play(void);
void player_cf_Pause(void);
void player_cf_Stop(void);
void player_cf_Seek(void);
void player_cf_Tick(void);

/* The C machine of the same chart against the light context. */
void player_lc_init(void);
void player_lc_start(void);
void player_lc_Power(void);
void player_lc_Play(void);
void player_lc_Pause(void);
void player_lc_Stop(void);
void player_lc_Seek(void);
void player_lc_Tick(void);

/* The same with its context fixed at compile time (player_c_fixed.c). */
void player_xc_init(void);
void player_xc_start(void);
void player_xc_Power(void);
void player_xc_Play(void);
void player_xc_Pause(void);
void player_xc_Stop(void);
void player_xc_Seek(void);
void player_xc_Tick(void);

/* The C switch against the light context, directly and through the context. */
void player_ls_init(void);
void player_ls_start(void);
void player_ls_Power(void);
void player_ls_Play(void);
void player_ls_Pause(void);
void player_ls_Stop(void);
void player_ls_Seek(void);
void player_ls_Tick(void);
void player_lf_init(void);
void player_lf_start(void);
void player_lf_Power(void);
void player_lf_Play(void);
void player_lf_Pause(void);
void player_lf_Stop(void);
void player_lf_Seek(void);
void player_lf_Tick(void);

/* The light context: plain counters and the position. */
void player_light_count(int id);
int player_light_pos(void);
void player_light_advance(int n);
void player_light_back(int n);
void player_light_rewind(void);

/* The context of all: plain functions, which the machine's context points at. */
void player_c_count(int id);
int player_c_pos(void);
void player_c_advance(int n);
void player_c_back(int n);
void player_c_rewind(void);

#ifdef __cplusplus
}
#endif

#endif
