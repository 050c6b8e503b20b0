// The machines tvc2cpp and tvc2c generate for the player chart against the same chart written
// by hand as a switch, in C++ and in C. All run one fixed pseudo-random event sequence;
// afterwards their contexts must agree, so the timings compare the same work.
//
//   player_bench [benchmark flags]   time both, print ns per event and the ratio, then check
//   player_bench --equivalence-only  only check them against each other and known traces

#include "player/PlayerContext.h"
#include "player/player_c.h"
#include "player/player_switch.h"
#include "playerTN.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

enum class Event : unsigned char { Power, Play, Pause, Stop, Seek, Tick };

constexpr std::size_t benchEvents = 1'000'000;
constexpr std::size_t checkEvents = 100'000;

// mt19937's output is fixed by the standard, unlike the distributions, so every platform
// draws the same sequence. Power is drawn rarely and Tick often: Power rewinds the position,
// and only a long enough run of Ticks lifts it past the guards' 50, into Rewind.
std::vector<Event> eventSequence(std::size_t n) {
    using E = Event;
    constexpr Event weighted[32] = {
        E::Power, E::Play, E::Play, E::Play, E::Play, E::Play, E::Pause, E::Pause,
        E::Pause, E::Stop, E::Stop, E::Stop, E::Seek, E::Seek, E::Seek,  E::Seek,
        E::Seek,  E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick,  E::Tick,
        E::Tick,  E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick,  E::Tick};
    std::mt19937 gen(20240611u);
    std::vector<Event> events(n);
    for (Event& e : events)
        e = weighted[gen() % 32];
    return events;
}

// The C machine's context is a struct of function pointers; they lead here, to the C++ context
// of the run in progress.
PlayerContext* cContext = nullptr;

// The C machine with the C++ machine's interface, so the same feed and checks drive it.
class PlayerC {
public:
    explicit PlayerC(PlayerContext& ctx) {
        cContext = &ctx;
        player_c_init();
    }
    void start() { player_c_start(); }
    void Power() { player_c_Power(); }
    void Play() { player_c_Play(); }
    void Pause() { player_c_Pause(); }
    void Stop() { player_c_Stop(); }
    void Seek() { player_c_Seek(); }
    void Tick() { player_c_Tick(); }
};

// The hand-written C switch, calling the context's functions directly or, as the C machine
// must, through its function pointers; driven the same way.
#define PLAYER_C_SWITCH(Class, prefix)                                                             \
    class Class {                                                                                  \
    public:                                                                                        \
        explicit Class(PlayerContext& ctx) {                                                       \
            cContext = &ctx;                                                                       \
            prefix##init();                                                                        \
        }                                                                                          \
        void start() { prefix##start(); }                                                          \
        void Power() { prefix##Power(); }                                                          \
        void Play() { prefix##Play(); }                                                            \
        void Pause() { prefix##Pause(); }                                                          \
        void Stop() { prefix##Stop(); }                                                            \
        void Seek() { prefix##Seek(); }                                                            \
        void Tick() { prefix##Tick(); }                                                            \
    };
PLAYER_C_SWITCH(PlayerCSwitch, player_cs_)
PLAYER_C_SWITCH(PlayerCSwitchThroughContext, player_cf_)

} // namespace

extern "C" {
void player_c_count(int id) {
    cContext->count(id);
}
int player_c_pos(void) {
    return cContext->pos();
}
void player_c_advance(int n) {
    cContext->advance(n);
}
void player_c_back(int n) {
    cContext->back(n);
}
void player_c_rewind(void) {
    cContext->rewind();
}
}

namespace {

template <class Machine> void feed(Machine& m, const std::vector<Event>& events) {
    for (const Event e : events) {
        switch (e) {
        case Event::Power:
            m.Power();
            break;
        case Event::Play:
            m.Play();
            break;
        case Event::Pause:
            m.Pause();
            break;
        case Event::Stop:
            m.Stop();
            break;
        case Event::Seek:
            m.Seek();
            break;
        case Event::Tick:
            m.Tick();
            break;
        }
    }
}

template <class Machine> PlayerContext run(const std::vector<Event>& events) {
    PlayerContext ctx;
    Machine m(ctx);
    m.start();
    feed(m, events);
    return ctx;
}

void print(const char* name, const PlayerContext& ctx) {
    std::printf("%-9s pos %d, hash %016llx, counts", name, ctx.pos(),
                static_cast<unsigned long long>(ctx.hash()));
    for (const std::uint64_t c : ctx.counts())
        std::printf(" %llu", static_cast<unsigned long long>(c));
    std::printf("\n");
}

// Over the whole sequence all machines must call the context identically.
bool equivalent(const std::vector<Event>& events, bool verbose) {
    const PlayerContext generated = run<PlayerTN>(events);
    const PlayerContext generatedC = run<PlayerC>(events);
    const PlayerContext handWritten = run<PlayerSwitch>(events);
    const PlayerContext handWrittenC = run<PlayerCSwitch>(events);
    const PlayerContext throughContext = run<PlayerCSwitchThroughContext>(events);
    const bool same = generated == handWritten && generatedC == handWritten &&
                      handWrittenC == handWritten && throughContext == handWritten;
    if (verbose || !same) {
        print("generated", generated);
        print("C", generatedC);
        print("switch", handWritten);
        print("C switch", handWrittenC);
        print("C switch through the context", throughContext);
    }
    if (same)
        return true;
    std::fprintf(stderr, "player_bench: the machines differ after %zu events\n", events.size());
    return false;
}

// One context call the chart is expected to make.
struct Call {
    enum Kind { Count, Advance, Back, Rewind } kind;
    int n = 0;
};

PlayerContext replay(std::initializer_list<Call> calls) {
    PlayerContext ctx;
    for (const Call& c : calls) {
        switch (c.kind) {
        case Call::Count:
            ctx.count(c.n);
            break;
        case Call::Advance:
            ctx.advance(c.n);
            break;
        case Call::Back:
            ctx.back(c.n);
            break;
        case Call::Rewind:
            ctx.rewind();
            break;
        }
    }
    return ctx;
}

struct Scenario {
    const char* name;
    std::vector<Event> events;
    PlayerContext expected;
};

// Short sequences with their calls worked out by hand from the chart, so the two machines
// cannot agree on a misreading of it.
std::vector<Scenario> scenarios() {
    using E = Event;
    const auto c = [](int id) { return Call{Call::Count, id}; };
    const Call adv10{Call::Advance, 10};
    const Call ffTick[] = {c(11), adv10, c(10)};
    return {
        {"start", {}, replay({c(0)})},
        {"ignored events leave Off alone", {E::Pause, E::Stop, E::Seek, E::Tick}, replay({c(0)})},
        {"power on enters Idle below On", {E::Power}, replay({c(0), c(1), c(16), c(2), c(4)})},
        // Exits run innermost-out, and On's shallow history brings back Playing, not the
        // FastForward that was active inside it.
        {"shallow history",
         {E::Power, E::Play, E::Seek, E::Power, E::Power},
         replay({c(0), c(1), c(16), c(2),           c(4), c(5), c(6),  c(8), c(9), c(10), c(11),
                 c(7), c(3), c(17), {Call::Rewind}, c(0), c(1), c(16), c(2), c(6), c(8)})},
        // The position guards: FastForward climbs to 50, Seek then picks Rewind, which steps
        // back once and returns to Normal below 50.
        {"guards on the position",
         {E::Power, E::Play, E::Seek, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Seek,
          E::Tick, E::Tick},
         replay({c(0),      c(1),      c(16),     c(2),
                 c(4),      c(5),      c(6),      c(8),
                 c(9),      c(10),     ffTick[0], ffTick[1],
                 ffTick[2], ffTick[0], ffTick[1], ffTick[2],
                 ffTick[0], ffTick[1], ffTick[2], ffTick[0],
                 ffTick[1], ffTick[2], ffTick[0], ffTick[1],
                 ffTick[2], c(11),     c(19),     c(8),
                 c(9),      c(12),     c(13),     {Call::Back, 10},
                 c(12),     c(13),     c(20),     c(8)})},
        // Stop is Playing's and Paused's; Play in Normal is handled by nobody; history
        // remembers Paused, and Play from Off has its own effect.
        {"pause, stop and history of Paused",
         {E::Power, E::Play, E::Pause, E::Pause, E::Stop, E::Play, E::Play, E::Pause, E::Power,
          E::Play},
         replay({c(0),  c(1),  c(16), c(2),           c(4), c(5), c(6),  c(8), c(9), c(7),
                 c(14), c(15), c(18), c(4),           c(5), c(6), c(8),  c(9), c(7), c(14),
                 c(15), c(3),  c(17), {Call::Rewind}, c(0), c(1), c(21), c(2), c(14)})},
    };
}

bool scenariosPass() {
    bool ok = true;
    for (const Scenario& s : scenarios()) {
        const std::pair<const char*, PlayerContext> runs[] = {
            {"generated machine", run<PlayerTN>(s.events)},
            {"C machine", run<PlayerC>(s.events)},
            {"switch", run<PlayerSwitch>(s.events)},
            {"C switch", run<PlayerCSwitch>(s.events)},
            {"C switch through the context", run<PlayerCSwitchThroughContext>(s.events)}};
        for (const auto& [machine, got] : runs) {
            if (got == s.expected)
                continue;
            std::fprintf(stderr, "player_bench: %s: unexpected calls from the %s\n", s.name,
                         machine);
            print("expected", s.expected);
            print("got", got);
            ok = false;
        }
    }
    return ok;
}

template <class Machine> void BM_Player(benchmark::State& state, const std::vector<Event>* events) {
    for (auto _ : state) {
        PlayerContext ctx;
        Machine m(ctx);
        m.start();
        feed(m, *events);
        // Keeps the inlined switch from dropping tallies nobody reads.
        benchmark::DoNotOptimize(ctx);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(events->size()));
}

// Prints as usual and keeps the CPU time per iteration of each benchmark for the ratio; CPU
// time rather than wall time, since other work may share the machine.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                nsPerIteration[r.run_name.function_name] =
                    r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e9;
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nsPerIteration;
};

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--equivalence-only") == 0) {
            const bool ok = scenariosPass() && equivalent(eventSequence(checkEvents), false);
            std::printf("player equivalence over %zu events: %s\n", checkEvents,
                        ok ? "same calls" : "DIFFERENT");
            return ok ? 0 : 1;
        }
    }
    if (!scenariosPass())
        return 1;

    const std::vector<Event> events = eventSequence(benchEvents);
    benchmark::RegisterBenchmark("generated", BM_Player<PlayerTN>, &events);
    benchmark::RegisterBenchmark("C", BM_Player<PlayerC>, &events);
    benchmark::RegisterBenchmark("switch", BM_Player<PlayerSwitch>, &events);
    benchmark::RegisterBenchmark("C switch", BM_Player<PlayerCSwitch>, &events);
    benchmark::RegisterBenchmark("C switch through context", BM_Player<PlayerCSwitchThroughContext>,
                                 &events);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Each generated machine against the hand-written switch of its own language.
    for (const auto& [name, yardstick] :
         {std::pair{"generated", "switch"}, {"C", "C switch"}, {"C", "C switch through context"}}) {
        const auto machine = reporter.nsPerIteration.find(name);
        const auto handWritten = reporter.nsPerIteration.find(yardstick);
        if (machine == reporter.nsPerIteration.end() ||
            handWritten == reporter.nsPerIteration.end())
            continue;
        const double n = static_cast<double>(events.size());
        std::printf("%s %.2f ns/event, %s %.2f ns/event, ratio %.2fx\n", name, machine->second / n,
                    yardstick, handWritten->second / n, machine->second / handWritten->second);
    }
    if (!equivalent(events, true)) {
        std::fprintf(stderr, "player_bench: the timings above compare different work\n");
        std::abort();
    }
    return 0;
}
