// The player chart in Boost.Statechart: a state's constructor and exit() are its entry and exit,
// On keeps shallow history, and every entry, exit and effect calls the light context.
#include "PlayerPeers.h"

#include <boost/mpl/list.hpp>
#include <boost/statechart/custom_reaction.hpp>
#include <boost/statechart/event.hpp>
#include <boost/statechart/shallow_history.hpp>
#include <boost/statechart/simple_state.hpp>
#include <boost/statechart/state_machine.hpp>
#include <boost/statechart/transition.hpp>

namespace {

namespace sc = boost::statechart;
namespace mpl = boost::mpl;

PlayerLightContext* playerContext = nullptr;

struct Power : sc::event<Power> {};
struct Play : sc::event<Play> {};
struct Pause : sc::event<Pause> {};
struct Stop : sc::event<Stop> {};
struct Seek : sc::event<Seek> {};
struct Tick : sc::event<Tick> {};

struct Off;
struct On;
struct Idle;
struct Playing;
struct Normal;
struct FastForward;
struct Rewind;
struct Paused;

struct Player : sc::state_machine<Player, Off> {
    void powerOn(const Power&) { peer::count(*playerContext, 16); }
    void playOn(const Play&) { peer::count(*playerContext, 21); }
    void powerOff(const Power&) {
        peer::count(*playerContext, 17);
        peer::rewind(*playerContext);
    }
    void stop(const Stop&) { peer::count(*playerContext, 18); }
    void advance1(const Tick&) { peer::advance(*playerContext, 1); }
    void advance10(const Tick&) { peer::advance(*playerContext, 10); }
    void back10(const Tick&) { peer::back(*playerContext, 10); }
    void fastToNormal(const Tick&) { peer::count(*playerContext, 19); }
    void rewindToNormal(const Tick&) { peer::count(*playerContext, 20); }
};

// Counts id on entry and id + 1 on exit.
template <class State, class Context, int id, class Inner = mpl::list<>,
          sc::history_mode history = sc::has_no_history>
struct Counted : sc::simple_state<State, Context, Inner, history> {
    Counted() { peer::count(*playerContext, id); }
    void exit() { peer::count(*playerContext, id + 1); }
};

struct Off : Counted<Off, Player, 0> {
    using reactions = mpl::list<sc::transition<Power, On, Player, &Player::powerOn>,
                                sc::transition<Play, On, Player, &Player::playOn>>;
};

struct On : Counted<On, Player, 2, mpl::list<sc::shallow_history<Idle>>, sc::has_shallow_history> {
    using reactions = sc::transition<Power, Off, Player, &Player::powerOff>;
};

struct Idle : Counted<Idle, On, 4> {
    using reactions = sc::transition<Play, Playing>;
};

struct Paused : Counted<Paused, On, 14> {
    using reactions =
        mpl::list<sc::transition<Play, Playing>, sc::transition<Stop, Idle, Player, &Player::stop>>;
};

struct Playing : Counted<Playing, On, 6, Normal> {
    using reactions =
        mpl::list<sc::transition<Pause, Paused>, sc::transition<Stop, Idle, Player, &Player::stop>>;
};

struct Normal : Counted<Normal, Playing, 8> {
    using reactions = mpl::list<sc::custom_reaction<Seek>,
                                sc::transition<Tick, Normal, Player, &Player::advance1>>;
    sc::result react(const Seek&) {
        if (peer::pos(*playerContext) >= 50)
            return transit<Rewind>();
        return transit<FastForward>();
    }
};

struct FastForward : Counted<FastForward, Playing, 10> {
    using reactions = mpl::list<sc::custom_reaction<Tick>, sc::transition<Play, Normal>>;
    sc::result react(const Tick&) {
        if (peer::pos(*playerContext) >= 50)
            return transit<Normal>(&Player::fastToNormal, Tick());
        return transit<FastForward>(&Player::advance10, Tick());
    }
};

struct Rewind : Counted<Rewind, Playing, 12> {
    using reactions = mpl::list<sc::custom_reaction<Tick>, sc::transition<Play, Normal>>;
    sc::result react(const Tick&) {
        if (peer::pos(*playerContext) >= 50)
            return transit<Rewind>(&Player::back10, Tick());
        return transit<Normal>(&Player::rewindToNormal, Tick());
    }
};

} // namespace

struct PlayerStatechart::Machine : Player {};

PlayerStatechart::PlayerStatechart(PlayerLightContext& ctx)
    : machine_(std::make_unique<Machine>()) {
    playerContext = &ctx;
}
PlayerStatechart::~PlayerStatechart() = default;

void PlayerStatechart::start() {
    machine_->initiate();
}
void PlayerStatechart::Power() {
    machine_->process_event(::Power());
}
void PlayerStatechart::Play() {
    machine_->process_event(::Play());
}
void PlayerStatechart::Pause() {
    machine_->process_event(::Pause());
}
void PlayerStatechart::Stop() {
    machine_->process_event(::Stop());
}
void PlayerStatechart::Seek() {
    machine_->process_event(::Seek());
}
void PlayerStatechart::Tick() {
    machine_->process_event(::Tick());
}
