// The simulator's pace on the player chart: events per second with explanations, which is
// what the editor's simulate mode and tvcsim pay for each step.

#include "generators/sim/chart_loader.h"
#include "generators/sim/chart_simulator.h"

#include <benchmark/benchmark.h>

#include <random>

static void BM_SimulatorStep(benchmark::State& state) {
    sim::ChartSimulator simulator(loadChart(TAVREN_PLAYER_CHART));
    simulator.setDefaultAnswer(true);
    simulator.start();
    const int events = static_cast<int>(simulator.chart().events.size());
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pick(0, events - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(simulator.send(pick(rng)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SimulatorStep);
