// Undo snapshots are whole charts: taking one after an edit, and undoing (a new model manager
// read from the snapshot), on a chart of 1,000 states with their transitions and labels. Both
// must stay well under a frame (16 ms).

#include "bench/grid_chart.h"
#include "platform/command_ids.h"

#include <benchmark/benchmark.h>

namespace {

void buildThousandStates(LayoutMgr& view) {
    buildGridChart(
        view, [](int states, std::size_t) { return states >= 1000; }, true);
    view.initialUpdate();
}

// An edit that changes the chart each time (a note moving back and forth), then its snapshot.
void BM_SnapshotAfterEdit(benchmark::State& state) {
    LayoutMgr view;
    buildThousandStates(view);
    Shape* note = view.getModelMgr()->insertShape(cmd::InsertNote, CPoint(0, 0));
    CSize step(1, 0);
    for (auto _ : state) {
        note->execute(eMove, &step);
        step.cx = -step.cx;
        view.pushUndoAction();
    }
    state.counters["shapes"] = static_cast<double>(view.getModelMgr()->getShapeList().size());
}
BENCHMARK(BM_SnapshotAfterEdit)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
    LayoutMgr view;
    buildThousandStates(view);
    view.getModelMgr()->insertShape(cmd::InsertNote, CPoint(0, 0));
    view.pushUndoAction();
    for (auto _ : state) {
        view.undo();
        view.redo();
    }
    state.counters["shapes"] = static_cast<double>(view.getModelMgr()->getShapeList().size());
}
// Two rebuilds an iteration.
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);

} // namespace
