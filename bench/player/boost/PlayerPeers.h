#pragma once

#include <memory>

// The player chart written for two library peers, Boost.MSM and Boost.Statechart, against the
// light context, with the interface the benchmark drives every machine through. Each lives in
// a file of its own so that only the benchmark's peer rows pay for their headers.
//
// Boost 1.74's MSM does not compile as C++20, and the context needs it, so the peers reach the
// context through these functions (player_peer_context.cpp); the benchmark's link-time
// optimisation inlines them again.
class PlayerLightContext;
namespace peer {
void count(PlayerLightContext& ctx, int id);
int pos(const PlayerLightContext& ctx);
void advance(PlayerLightContext& ctx, int n);
void back(PlayerLightContext& ctx, int n);
void rewind(PlayerLightContext& ctx);
} // namespace peer
class PlayerMsm {
public:
    explicit PlayerMsm(PlayerLightContext& ctx);
    ~PlayerMsm();
    PlayerMsm(const PlayerMsm&) = delete;
    PlayerMsm& operator=(const PlayerMsm&) = delete;

    void start();
    void Power();
    void Play();
    void Pause();
    void Stop();
    void Seek();
    void Tick();

private:
    struct Machine;
    std::unique_ptr<Machine> machine_;
};

class PlayerStatechart {
public:
    explicit PlayerStatechart(PlayerLightContext& ctx);
    ~PlayerStatechart();
    PlayerStatechart(const PlayerStatechart&) = delete;
    PlayerStatechart& operator=(const PlayerStatechart&) = delete;

    void start();
    void Power();
    void Play();
    void Pause();
    void Stop();
    void Seek();
    void Tick();

private:
    struct Machine;
    std::unique_ptr<Machine> machine_;
};
