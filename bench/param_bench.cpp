// An event that carries data through the generated C++ machine: the counter chart's
// received(int count, int last), with guards on the arguments and effects adding them, sent
// through its own function and through dispatch with a Message. The figure is per event.

#include "counterTN.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// Arguments that walk every branch: small and big counts, last set now and then.
constexpr std::array<std::array<int, 2>, 8> kArguments = {
    {{1, 0}, {4, 0}, {2, 1}, {9, 0}, {3, 0}, {5, 0}, {7, 1}, {0, 0}}};

void ReceivedThroughItsFunction(benchmark::State& state) {
    CounterContext ctx;
    CounterTN machine(ctx);
    machine.start();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& a = kArguments[i++ % kArguments.size()];
        benchmark::DoNotOptimize(machine.received(a[0], a[1]));
    }
    benchmark::DoNotOptimize(ctx.sum);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReceivedThroughItsFunction);

void ReceivedThroughDispatch(benchmark::State& state) {
    CounterContext ctx;
    CounterTN machine(ctx);
    machine.start();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& a = kArguments[i++ % kArguments.size()];
        const CounterTN::Message m{CounterTN::Event::received,
                                   CounterTN::Args::received{a[0], a[1]}};
        benchmark::DoNotOptimize(machine.dispatch(m));
    }
    benchmark::DoNotOptimize(ctx.sum);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReceivedThroughDispatch);

// The event without arguments in the same chart, for comparison.
void GoWithoutArguments(benchmark::State& state) {
    CounterContext ctx;
    CounterTN machine(ctx);
    machine.start();
    for (auto _ : state) {
        // go leaves Idle; a received with a big count and last set brings it back via Done.
        benchmark::DoNotOptimize(machine.go());
        machine.received(9, 1);
        machine.received(1, 0);
    }
    benchmark::DoNotOptimize(ctx.sum);
    state.SetItemsProcessed(3 * state.iterations());
}
BENCHMARK(GoWithoutArguments);

} // namespace

BENCHMARK_MAIN();
