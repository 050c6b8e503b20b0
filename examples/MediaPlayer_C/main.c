/* Drives the media player through its nested states: power, play, fast forward, pause and
   stop, printing what the devices do and where the machine is after each event. */
#include "media_playerTN.h"

#include <stdio.h>

static void feed(MediaPlayerTN* machine, MediaPlayerTN_Event event) {
    printf("> %s\n", MediaPlayerTN_eventName(event));
    if (MediaPlayerTN_dispatch(machine, event) == MediaPlayerTN_IGNORED)
        printf("  ignored in %s\n", MediaPlayerTN_stateName(MediaPlayerTN_activeState(machine)));
    else
        printf("  now in %s\n", MediaPlayerTN_stateName(MediaPlayerTN_activeState(machine)));
}

int main(void) {
    Player context = {0};
    MediaPlayerTN machine;
    MediaPlayerTN_init(&machine, &context);
    puts("starting");
    MediaPlayerTN_start(&machine); /* Off */
    printf("  now in %s\n", MediaPlayerTN_stateName(MediaPlayerTN_activeState(&machine)));

    feed(&machine, MediaPlayerTN_E_play);  /* nothing plays while off */
    feed(&machine, MediaPlayerTN_E_power); /* On starts in Idle */
    feed(&machine, MediaPlayerTN_E_play);  /* refused: no medium in the drive */
    puts("(a disc goes in)");
    player_loaded = true;
    feed(&machine, MediaPlayerTN_E_play);        /* Playing starts in Normal */
    feed(&machine, MediaPlayerTN_E_fastForward); /* one level deeper */
    feed(&machine, MediaPlayerTN_E_pause); /* leaves FastForward and Playing, innermost first */
    feed(&machine, MediaPlayerTN_E_play);  /* Playing starts in Normal again: no history */
    feed(&machine, MediaPlayerTN_E_stop);
    feed(&machine, MediaPlayerTN_E_power); /* Off, from wherever On was */
    return 0;
}
