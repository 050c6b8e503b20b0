#pragma once
// What media_player.tvc's actions call: the context class and the devices its actions name.

struct Player {};

struct PlayerAmp {
    void powerUp() {}
    void powerDown() {}
};
struct PlayerDisplay {
    void on() {}
    void off() {}
    void blink(bool) {}
    void show(const char*) {}
};
struct PlayerDeck {
    void start() {}
    void hold() {}
    void resume() {}
    void rewind() {}
    void speed(int) {}
    bool hasMedia() const { return true; }
};

inline PlayerAmp amp;
inline PlayerDisplay display;
inline PlayerDeck player;
