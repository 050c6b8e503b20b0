#pragma once

#include <cstdint>

// What the counter chart's actions do: plain sums, so the machine's cost of taking, checking
// and passing the arguments is what the benchmark sees.
class CounterContext {
public:
    void tick(int id) { ticks += static_cast<std::uint64_t>(id); }
    void add(int value) { sum += value; }

    std::uint64_t ticks = 0;
    std::int64_t sum = 0;
};
