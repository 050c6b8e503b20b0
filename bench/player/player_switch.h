#pragma once

#include "PlayerContext.h"

// The player chart written by hand as one switch per event over the innermost active state:
// the yardstick for the generated machine. Each case spells out the exits, the effect and
// the entries in the order the generated machine must run them. Ctx: PlayerContext, or the
// light one.
template <class Ctx> class BasicPlayerSwitch {
public:
    explicit BasicPlayerSwitch(Ctx& ctx) : ctx_(ctx) {}

    void start() {
        if (state_ != State::None)
            return;
        ctx_.count(0);
        state_ = State::Off;
    }

    void Power() {
        switch (state_) {
        case State::Off:
            ctx_.count(1);
            ctx_.count(16);
            enterOn();
            return;
        case State::Idle:
            ctx_.count(5);
            history_ = State::Idle;
            break;
        case State::Normal:
            ctx_.count(9);
            ctx_.count(7);
            history_ = State::Playing;
            break;
        case State::FastForward:
            ctx_.count(11);
            ctx_.count(7);
            history_ = State::Playing;
            break;
        case State::Rewind:
            ctx_.count(13);
            ctx_.count(7);
            history_ = State::Playing;
            break;
        case State::Paused:
            ctx_.count(15);
            history_ = State::Paused;
            break;
        default:
            return;
        }
        ctx_.count(3);
        ctx_.count(17);
        ctx_.rewind();
        ctx_.count(0);
        state_ = State::Off;
    }

    void Play() {
        switch (state_) {
        case State::Off:
            ctx_.count(1);
            ctx_.count(21);
            enterOn();
            return;
        case State::Idle:
            ctx_.count(5);
            enterPlaying();
            return;
        case State::FastForward:
            ctx_.count(11);
            enterNormal();
            return;
        case State::Rewind:
            ctx_.count(13);
            enterNormal();
            return;
        case State::Paused:
            ctx_.count(15);
            enterPlaying();
            return;
        default:
            return;
        }
    }

    void Pause() {
        if (!exitPlaying())
            return;
        ctx_.count(14);
        state_ = State::Paused;
    }

    void Stop() {
        if (state_ == State::Paused)
            ctx_.count(15);
        else if (!exitPlaying())
            return;
        ctx_.count(18);
        ctx_.count(4);
        state_ = State::Idle;
    }

    void Seek() {
        if (state_ != State::Normal)
            return;
        ctx_.count(9);
        if (ctx_.pos() >= 50) {
            ctx_.count(12);
            state_ = State::Rewind;
        } else {
            ctx_.count(10);
            state_ = State::FastForward;
        }
    }

    void Tick() {
        switch (state_) {
        case State::Normal:
            ctx_.count(9);
            ctx_.advance(1);
            ctx_.count(8);
            return;
        case State::FastForward:
            ctx_.count(11);
            if (ctx_.pos() >= 50) {
                ctx_.count(19);
                enterNormal();
            } else {
                ctx_.advance(10);
                ctx_.count(10);
            }
            return;
        case State::Rewind:
            ctx_.count(13);
            if (ctx_.pos() >= 50) {
                ctx_.back(10);
                ctx_.count(12);
            } else {
                ctx_.count(20);
                enterNormal();
            }
            return;
        default:
            return;
        }
    }

private:
    // Innermost active states, plus Playing, which is only ever remembered by On's history.
    enum class State : unsigned char {
        None,
        Off,
        Idle,
        Playing,
        Normal,
        FastForward,
        Rewind,
        Paused
    };

    // Default entry into On resumes the sub-state it was left in; Playing itself starts over.
    void enterOn() {
        ctx_.count(2);
        switch (history_) {
        case State::Playing:
            enterPlaying();
            return;
        case State::Paused:
            ctx_.count(14);
            state_ = State::Paused;
            return;
        default:
            ctx_.count(4);
            state_ = State::Idle;
            return;
        }
    }
    void enterPlaying() {
        ctx_.count(6);
        enterNormal();
    }
    void enterNormal() {
        ctx_.count(8);
        state_ = State::Normal;
    }
    // Leaves Playing from whichever of its sub-states is active; false when not in Playing.
    bool exitPlaying() {
        switch (state_) {
        case State::Normal:
            ctx_.count(9);
            break;
        case State::FastForward:
            ctx_.count(11);
            break;
        case State::Rewind:
            ctx_.count(13);
            break;
        default:
            return false;
        }
        ctx_.count(7);
        return true;
    }

    Ctx& ctx_;
    State state_ = State::None;
    State history_ = State::None; // On's last direct sub-state
};

using PlayerSwitch = BasicPlayerSwitch<PlayerContext>;
using PlayerLightSwitch = BasicPlayerSwitch<PlayerLightContext>;
