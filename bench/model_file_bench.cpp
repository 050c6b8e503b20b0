// Writing and reading whole charts: states in a grid, each joined to its right-hand neighbour
// by a labelled transition. Cost should grow linearly with the number of states.

#include "model/archive.h"
#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/model_properties.h"
#include "model/transition.h"
#include "view/layout_mgr.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// n states in rows of 50 shown in view.
void buildChart(LayoutMgr& view, int n) {
    ModelMgr& mm = *view.getModelMgr();
    GenericState* previous = nullptr;
    for (int i = 0; i < n; ++i) {
        const LONG x = 2 + (i % 50) * 30, y = 2 + (i / 50) * 20;
        auto* state = new GenericState(mm.getNewId(), &view, CRect(x, y, x + 20, y + 12),
                                       "S" + std::to_string(i));
        mm.addShape(state);
        if (previous && i % 50 != 0) {
            const CPoint from = previous->getAnchorPoint(NODE(2, 2));
            const CPoint to = state->getAnchorPoint(NODE(2, 4));
            auto* t = new Transition(mm.getNewId(), &view, from, to);
            t->setHeadNode(NODE(2, 2));
            t->setTailNode(NODE(2, 4));
            t->setHeadStateId(previous->getObjId());
            t->setTailStateId(state->getObjId());
            mm.addShape(t);
            auto* label = new Mesg(mm.getNewId(), &view, CRect(x - 8, y + 2, x - 2, y + 6), t);
            label->getTextHandler()->setData("ev" + std::to_string(i), "x > 1", "y++;");
            mm.addShape(label);
        }
        previous = state;
    }
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
