#pragma once
// The context of the reference chart player.tvc.

class PlayerContext {
public:
    void count(int) {}
    int pos() const { return position; }
    void advance(int n) { position += n; }
    void back(int n) { position -= n; }
    void rewind() { position = 0; }

private:
    int position = 0;
};
