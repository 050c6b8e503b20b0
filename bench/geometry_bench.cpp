#include "model/util.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A routed transition: ten axis-parallel legs in a staircase and an arrowhead at the end.
std::vector<CPoint> route() {
    std::vector<CPoint> points{{0, 0}};
    for (int i = 0; i < 10; ++i) {
        const CPoint last = points.back();
        points.push_back(i % 2 == 0 ? CPoint(last.x + 40, last.y) : CPoint(last.x, last.y + 30));
    }
    return points;
}

CRgn transitionRegion(const std::vector<CPoint>& points) {
    CRgn rgn;
    for (std::size_t i = 1; i < points.size(); ++i)
        rgn.unite(*Util::createRectRgn(points[i - 1], points[i], 4));
    const CPoint tip = points.back();
    rgn.unite(*Util::createTriangleRgn({tip.x, tip.y - 10}, tip, 5));
    return rgn;
}

void BM_BuildTransitionRegion(benchmark::State& state) {
    const std::vector<CPoint> points = route();
    for (auto _ : state)
        benchmark::DoNotOptimize(transitionRegion(points));
}
BENCHMARK(BM_BuildTransitionRegion);

void BM_PtInTransitionRegion(benchmark::State& state) {
    const CRgn rgn = transitionRegion(route());
    const CRect box = rgn.GetRgnBox();
    LONG x = box.left;
    LONG y = box.top;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rgn.PtInRegion({x, y}));
        // Walk the box on a coprime stride so hits and misses mix.
        x = box.left + (x - box.left + 7) % box.Width();
        y = box.top + (y - box.top + 11) % box.Height();
    }
}
BENCHMARK(BM_PtInTransitionRegion);

} // namespace
