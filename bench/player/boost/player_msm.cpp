// The player chart in Boost.MSM: On and Playing are submachines, On keeps shallow history
// whatever event enters it, and every entry, exit and effect calls the light context.
#include "PlayerPeers.h"

#include <boost/msm/back/state_machine.hpp>
#include <boost/msm/front/state_machine_def.hpp>

namespace {

namespace msm = boost::msm;
namespace mpl = boost::mpl;

// The machine in progress; the nested submachines reach it through here.
PlayerLightContext* playerContext = nullptr;

struct Power {};
struct Play {};
struct Pause {};
struct Stop {};
struct Seek {};
struct Tick {};

// A state counting id on entry and id + 1 on exit.
template <int id> struct Counted : msm::front::state<> {
    template <class E, class F> void on_entry(const E&, F&) { peer::count(*playerContext, id); }
    template <class E, class F> void on_exit(const E&, F&) { peer::count(*playerContext, id + 1); }
};

// Unhandled events are ignored, as the chart's semantics has it.
template <class Derived> struct Quiet : msm::front::state_machine_def<Derived> {
    template <class F, class E> void no_transition(const E&, F&, int) {}
};

struct Normal : Counted<8> {};
struct FastForward : Counted<10> {};
struct Rewind : Counted<12> {};
struct Idle : Counted<4> {};
struct Paused : Counted<14> {};
struct Off : Counted<0> {};

struct PlayingDef : Quiet<PlayingDef> {
    template <class E, class F> void on_entry(const E&, F&) { peer::count(*playerContext, 6); }
    template <class E, class F> void on_exit(const E&, F&) { peer::count(*playerContext, 7); }
    using initial_state = Normal;

    void advance1(const Tick&) { peer::advance(*playerContext, 1); }
    void advance10(const Tick&) { peer::advance(*playerContext, 10); }
    void back10(const Tick&) { peer::back(*playerContext, 10); }
    void fastToNormal(const Tick&) { peer::count(*playerContext, 19); }
    void rewindToNormal(const Tick&) { peer::count(*playerContext, 20); }
    bool far(const Seek&) { return peer::pos(*playerContext) >= 50; }
    bool near(const Seek&) { return peer::pos(*playerContext) < 50; }
    bool farTick(const Tick&) { return peer::pos(*playerContext) >= 50; }
    bool nearTick(const Tick&) { return peer::pos(*playerContext) < 50; }

    using p = PlayingDef;
    struct transition_table
        : mpl::vector<
              g_row<Normal, Seek, Rewind, &p::far>, g_row<Normal, Seek, FastForward, &p::near>,
              a_row<Normal, Tick, Normal, &p::advance1>,
              row<FastForward, Tick, Normal, &p::fastToNormal, &p::farTick>,
              row<FastForward, Tick, FastForward, &p::advance10, &p::nearTick>,
              _row<FastForward, Play, Normal>, row<Rewind, Tick, Rewind, &p::back10, &p::farTick>,
              row<Rewind, Tick, Normal, &p::rewindToNormal, &p::nearTick>,
              _row<Rewind, Play, Normal>> {};
};
using Playing = msm::back::state_machine<PlayingDef>;

struct OnDef : Quiet<OnDef> {
    template <class E, class F> void on_entry(const E&, F&) { peer::count(*playerContext, 2); }
    template <class E, class F> void on_exit(const E&, F&) { peer::count(*playerContext, 3); }
    using initial_state = Idle;

    void stop(const Stop&) { peer::count(*playerContext, 18); }

    using o = OnDef;
    struct transition_table
        : mpl::vector<_row<Idle, Play, Playing>, _row<Playing, Pause, Paused>,
                      a_row<Playing, Stop, Idle, &o::stop>, _row<Paused, Play, Playing>,
                      a_row<Paused, Stop, Idle, &o::stop>> {};
};
using On = msm::back::state_machine<OnDef, msm::back::AlwaysHistory>;

struct PlayerDef : Quiet<PlayerDef> {
    using initial_state = Off;

    void powerOn(const Power&) { peer::count(*playerContext, 16); }
    void playOn(const Play&) { peer::count(*playerContext, 21); }
    void powerOff(const Power&) {
        peer::count(*playerContext, 17);
        peer::rewind(*playerContext);
    }

    using m = PlayerDef;
    struct transition_table
        : mpl::vector<a_row<Off, Power, On, &m::powerOn>, a_row<Off, Play, On, &m::playOn>,
                      a_row<On, Power, Off, &m::powerOff>> {};
};

} // namespace

struct PlayerMsm::Machine : msm::back::state_machine<PlayerDef> {};

PlayerMsm::PlayerMsm(PlayerLightContext& ctx) : machine_(std::make_unique<Machine>()) {
    playerContext = &ctx;
}
PlayerMsm::~PlayerMsm() = default;

void PlayerMsm::start() {
    machine_->start();
}
void PlayerMsm::Power() {
    machine_->process_event(::Power{});
}
void PlayerMsm::Play() {
    machine_->process_event(::Play{});
}
void PlayerMsm::Pause() {
    machine_->process_event(::Pause{});
}
void PlayerMsm::Stop() {
    machine_->process_event(::Stop{});
}
void PlayerMsm::Seek() {
    machine_->process_event(::Seek{});
}
void PlayerMsm::Tick() {
    machine_->process_event(::Tick{});
}
