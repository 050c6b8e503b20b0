#pragma once
// What the media player chart's actions call. They name the devices directly (display.show(),
// player.hasMedia()), so in C++ the devices are objects at namespace scope; the context class
// Player carries nothing of its own. Each device prints what it would do.
#include <iostream>

struct Amplifier {
    void powerUp() { std::cout << "amp: power up\n"; }
    void powerDown() { std::cout << "amp: power down\n"; }
};

struct Display {
    void on() { std::cout << "display: on\n"; }
    void off() { std::cout << "display: off\n"; }
    void blink(bool on) { std::cout << (on ? "display: blinking\n" : "display: steady\n"); }
    void show(const char* text) { std::cout << "display: " << text << '\n'; }
};

// The drive that plays the medium.
struct Deck {
    void start() { std::cout << "deck: start\n"; }
    void hold() { std::cout << "deck: hold\n"; }
    void resume() { std::cout << "deck: resume\n"; }
    void rewind() { std::cout << "deck: rewind\n"; }
    void speed(int factor) { std::cout << "deck: speed x" << factor << '\n'; }
    bool hasMedia() const { return loaded; }
    bool loaded = false; // set by the program in this example
};

inline Amplifier amp;
inline Display display;
inline Deck player;

struct Player {};
