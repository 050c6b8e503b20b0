// Writing and reading whole charts: states in a grid, each joined to its right-hand neighbour
// by a labelled transition. Cost should grow linearly with the number of states.

#include "bench/grid_chart.h"
#include "model/archive.h"
#include "model/model_properties.h"
#include "view/layout_mgr.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// n states shown in view.
void buildChart(LayoutMgr& view, int n) {
    buildGridChart(view, [n](int states, std::size_t) { return states >= n; });
}

std::string writeChart(LayoutMgr& view) {
    ModelMgr& mm = *view.getModelMgr();
    std::ostringstream out;
    OutArchive ar(out);
    ar.writeHeader();
    out << view.getZoom() << "\r\n";
    ar << mm.getModelData() << ModelProperties(&view);
    return out.str();
}

void readChart(const std::string& text) {
    std::istringstream in(text);
    InArchive ar(in);
    ar.checkHeader();
    LayoutMgr view;
    if (!ModelData::seekData(ar))
        throw std::string("no data");
    ar >> view.getModelMgr()->getModelData();
    ModelProperties props(&view);
    ar >> props;
    view.getModelMgr()->joinShapes();
    benchmark::DoNotOptimize(view.getModelMgr()->getShapeList().size());
}

void BM_WriteChart(benchmark::State& state) {
    LayoutMgr view;
    buildChart(view, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeChart(view));
    state.SetComplexityN(state.range(0));
}

void BM_ReadChart(benchmark::State& state) {
    LayoutMgr view;
    buildChart(view, static_cast<int>(state.range(0)));
    const std::string text = writeChart(view);
    for (auto _ : state)
        readChart(text);
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_WriteChart)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadChart)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
