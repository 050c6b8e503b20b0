// The machines tvc2cpp and tvc2c generate for the player chart against the same chart written
// by hand as a switch, in C++ and in C. All run one fixed pseudo-random event sequence;
// afterwards their contexts must agree, so the timings compare the same work. Each runs twice:
// with the hashing context, which catches reordered or missing calls, and with the light one,
// whose actions only count, so that the machine's own cost is not hidden behind its actions.
//
//   player_bench [benchmark flags]   time both, print ns per event and the ratio, then check
//   player_bench --equivalence-only  only check them against each other and known traces

#include "player/PlayerContext.h"
#include "player/player_c.h"
#include "player/player_switch.h"
#ifdef TAVREN_PLAYER_PEERS
#include "player/boost/PlayerPeers.h"
#endif
#include "playerTN.h"
#include "playerlightTN.h"

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
PlayerLightContext* cLight = nullptr;

// The C machine, and the hand-written C switch calling the context's functions directly or, as
// the C machine must, through its function pointers, with the C++ machine's interface, so the
// same feed and checks drive them.
#define PLAYER_C_MACHINE(Class, prefix, Ctx, current)                                              \
    class Class {                                                                                  \
    public:                                                                                        \
        explicit Class(Ctx& ctx) {                                                                 \
            current = &ctx;                                                                        \
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
PLAYER_C_MACHINE(PlayerC, player_c_, PlayerContext, cContext)
PLAYER_C_MACHINE(PlayerCSwitch, player_cs_, PlayerContext, cContext)
PLAYER_C_MACHINE(PlayerCSwitchThroughContext, player_cf_, PlayerContext, cContext)
PLAYER_C_MACHINE(PlayerCLight, player_lc_, PlayerLightContext, cLight)
PLAYER_C_MACHINE(PlayerCLightFixed, player_xc_, PlayerLightContext, cLight)
PLAYER_C_MACHINE(PlayerCLightSwitch, player_ls_, PlayerLightContext, cLight)
PLAYER_C_MACHINE(PlayerCLightSwitchThroughContext, player_lf_, PlayerLightContext, cLight)

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
void player_light_count(int id) {
    cLight->count(id);
}
int player_light_pos(void) {
    return cLight->pos();
}
void player_light_advance(int n) {
    cLight->advance(n);
}
void player_light_back(int n) {
    cLight->back(n);
}
void player_light_rewind(void) {
    cLight->rewind();
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

template <class Machine, class Ctx = PlayerContext> Ctx run(const std::vector<Event>& events) {
    Ctx ctx;
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

void print(const char* name, const PlayerLightContext& ctx) {
    std::printf("%-9s pos %d, counts", name, ctx.pos());
    for (const std::uint64_t c : ctx.counts())
        std::printf(" %llu", static_cast<unsigned long long>(c));
    std::printf("\n");
}

// Over the whole sequence all machines must call the context identically; with the light
// context, make the same tallies.
bool equivalent(const std::vector<Event>& events, bool verbose) {
    const PlayerContext generated = run<PlayerTN>(events);
    const PlayerContext generatedC = run<PlayerC>(events);
    const PlayerContext handWritten = run<PlayerSwitch>(events);
    const PlayerContext handWrittenC = run<PlayerCSwitch>(events);
    const PlayerContext throughContext = run<PlayerCSwitchThroughContext>(events);
    using Light = PlayerLightContext;
    const Light generatedLight = run<PlayerLightTN, Light>(events);
    const Light generatedCLight = run<PlayerCLight, Light>(events);
    const Light fixedCLight = run<PlayerCLightFixed, Light>(events);
#ifdef TAVREN_PLAYER_PEERS
    const Light msm = run<PlayerMsm, Light>(events);
    const Light statechart = run<PlayerStatechart, Light>(events);
#else
    const Light msm = run<PlayerLightSwitch, Light>(events);
    const Light statechart = msm;
#endif
    const Light handWrittenLight = run<PlayerLightSwitch, Light>(events);
    const Light handWrittenCLight = run<PlayerCLightSwitch, Light>(events);
    const Light throughContextLight = run<PlayerCLightSwitchThroughContext, Light>(events);
    const bool same = generated == handWritten && generatedC == handWritten &&
                      handWrittenC == handWritten && throughContext == handWritten;
    const bool sameLight = generatedLight == handWrittenLight &&
                           generatedCLight == handWrittenLight && fixedCLight == handWrittenLight &&
                           handWrittenCLight == handWrittenLight &&
                           throughContextLight == handWrittenLight &&
                           handWrittenLight.counts() == handWritten.counts() &&
                           handWrittenLight.pos() == handWritten.pos();
    if (verbose || !same || !sameLight) {
        print("generated", generated);
        print("C", generatedC);
        print("switch", handWritten);
        print("C switch", handWrittenC);
        print("C switch through the context", throughContext);
        print("generated light", generatedLight);
        print("C light", generatedCLight);
        print("C light fixed context", fixedCLight);
        print("Boost.MSM light", msm);
        print("Boost.Statechart light", statechart);
        print("switch light", handWrittenLight);
        print("C switch light", handWrittenCLight);
        print("C switch through the context light", throughContextLight);
    }
    if (same && sameLight)
        return true;
    std::fprintf(stderr, "player_bench: the machines differ after %zu events\n", events.size());
    return false;
}

// One context call the chart is expected to make.
struct Call {
    enum Kind { Count, Advance, Back, Rewind } kind;
    int n = 0;
};

template <class Ctx> Ctx replay(const std::vector<Call>& calls) {
    Ctx ctx;
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
    std::vector<Call> expected;
};

// Short sequences with their calls worked out by hand from the chart, so the two machines
// cannot agree on a misreading of it.
std::vector<Scenario> scenarios() {
    using E = Event;
    const auto c = [](int id) { return Call{Call::Count, id}; };
    const Call adv10{Call::Advance, 10};
    const Call ffTick[] = {c(11), adv10, c(10)};
    return {
        {"start", {}, std::vector<Call>({c(0)})},
        {"ignored events leave Off alone",
         {E::Pause, E::Stop, E::Seek, E::Tick},
         std::vector<Call>({c(0)})},
        {"power on enters Idle below On",
         {E::Power},
         std::vector<Call>({c(0), c(1), c(16), c(2), c(4)})},
        // Exits run innermost-out, and On's shallow history brings back Playing, not the
        // FastForward that was active inside it.
        {"shallow history",
         {E::Power, E::Play, E::Seek, E::Power, E::Power},
         std::vector<Call>({c(0),           c(1), c(16), c(2),  c(4), c(5), c(6),
                            c(8),           c(9), c(10), c(11), c(7), c(3), c(17),
                            {Call::Rewind}, c(0), c(1),  c(16), c(2), c(6), c(8)})},
        // The position guards: FastForward climbs to 50, Seek then picks Rewind, which steps
        // back once and returns to Normal below 50.
        {"guards on the position",
         {E::Power, E::Play, E::Seek, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Tick, E::Seek,
          E::Tick, E::Tick},
         std::vector<Call>({c(0),      c(1),      c(16),     c(2),
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
         std::vector<Call>({c(0), c(1), c(16), c(2),  c(4),  c(5), c(6),  c(8),
                            c(9), c(7), c(14), c(15), c(18), c(4), c(5),  c(6),
                            c(8), c(9), c(7),  c(14), c(15), c(3), c(17), {Call::Rewind},
                            c(0), c(1), c(21), c(2),  c(14)})},
    };
}

template <class Ctx> bool reportUnexpected(const Scenario& s, const char* machine, const Ctx& got) {
    const Ctx expected = replay<Ctx>(s.expected);
    if (got == expected)
        return true;
    std::fprintf(stderr, "player_bench: %s: unexpected calls from the %s\n", s.name, machine);
    print("expected", expected);
    print("got", got);
    return false;
}

bool scenariosPass() {
    bool ok = true;
    for (const Scenario& s : scenarios()) {
        using Light = PlayerLightContext;
        ok = reportUnexpected(s, "generated machine", run<PlayerTN>(s.events)) && ok;
        ok = reportUnexpected(s, "C machine", run<PlayerC>(s.events)) && ok;
        ok = reportUnexpected(s, "switch", run<PlayerSwitch>(s.events)) && ok;
        ok = reportUnexpected(s, "C switch", run<PlayerCSwitch>(s.events)) && ok;
        ok = reportUnexpected(s, "C switch through the context",
                              run<PlayerCSwitchThroughContext>(s.events)) &&
             ok;
        ok = reportUnexpected(s, "light machine", run<PlayerLightTN, Light>(s.events)) && ok;
        ok = reportUnexpected(s, "light C machine", run<PlayerCLight, Light>(s.events)) && ok;
        ok = reportUnexpected(s, "light C machine with its context fixed",
                              run<PlayerCLightFixed, Light>(s.events)) &&
             ok;
        ok = reportUnexpected(s, "light switch", run<PlayerLightSwitch, Light>(s.events)) && ok;
#ifdef TAVREN_PLAYER_PEERS
        ok = reportUnexpected(s, "Boost.MSM machine", run<PlayerMsm, Light>(s.events)) && ok;
        ok = reportUnexpected(s, "Boost.Statechart machine",
                              run<PlayerStatechart, Light>(s.events)) &&
             ok;
#endif
        ok = reportUnexpected(s, "light C switch", run<PlayerCLightSwitch, Light>(s.events)) && ok;
        ok = reportUnexpected(s, "light C switch through the context",
                              run<PlayerCLightSwitchThroughContext, Light>(s.events)) &&
             ok;
    }
    return ok;
}

template <class Machine, class Ctx = PlayerContext>
void BM_Player(benchmark::State& state, const std::vector<Event>* events) {
    for (auto _ : state) {
        Ctx ctx;
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
    using Light = PlayerLightContext;
    benchmark::RegisterBenchmark("generated light", BM_Player<PlayerLightTN, Light>, &events);
    benchmark::RegisterBenchmark("C light", BM_Player<PlayerCLight, Light>, &events);
    benchmark::RegisterBenchmark("C light fixed context", BM_Player<PlayerCLightFixed, Light>,
                                 &events);
    benchmark::RegisterBenchmark("switch light", BM_Player<PlayerLightSwitch, Light>, &events);
    benchmark::RegisterBenchmark("C switch light", BM_Player<PlayerCLightSwitch, Light>, &events);
    benchmark::RegisterBenchmark("C switch through context light",
                                 BM_Player<PlayerCLightSwitchThroughContext, Light>, &events);
#ifdef TAVREN_PLAYER_PEERS
    benchmark::RegisterBenchmark("Boost.MSM light", BM_Player<PlayerMsm, Light>, &events);
    benchmark::RegisterBenchmark("Boost.Statechart light", BM_Player<PlayerStatechart, Light>,
                                 &events);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Each generated machine against the hand-written switch of its own language.
    for (const auto& [name, yardstick] : {std::pair{"generated", "switch"},
                                          {"C", "C switch"},
                                          {"C", "C switch through context"},
                                          {"generated light", "switch light"},
                                          {"C light", "C switch light"},
                                          {"C light", "C switch through context light"},
                                          {"C light fixed context", "C switch light"},
                                          {"Boost.MSM light", "switch light"},
                                          {"Boost.Statechart light", "switch light"}}) {
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
