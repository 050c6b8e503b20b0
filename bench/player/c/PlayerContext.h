#ifndef PLAYER_CONTEXT_C_H
#define PLAYER_CONTEXT_C_H
/* The player chart's context as the C machine sees it: the chart's ctx.count(3) calls a
   function-pointer member. The benchmark points them at its C++ PlayerContext. */

typedef struct PlayerContext {
    void (*count)(int id);
    int (*pos)(void);
    void (*advance)(int n);
    void (*back)(int n);
    void (*rewind)(void);
} PlayerContext;

/* The light context's C twin: the same functions, which only count (player_c_light.c). */
typedef PlayerContext PlayerLightContext;

#endif
