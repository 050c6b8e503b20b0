// A 1,000-state chart (states in rows of 50, neighbours joined by labelled transitions) opened
// in a real chart frame with its object browser shown, and single edits on it: the browser
// updates the items an edit touches, so an edit must not cost like an opening.

#include "bench/grid_chart.h"
#include "editor/app/child_frame.h"
#include "editor/app/object_tree.h"
#include "editor/view/chart_view.h"
#include "platform/command_ids.h"
#include "view/layout_mgr.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

std::string chartFile(int states) {
    LayoutMgr view;
    buildGridChart(view, [states](int i, std::size_t) { return i >= states; });
    std::ostringstream out;
    view.write(out);
    return out.str();
}

const std::string& thousandStates() {
    static const std::string file = chartFile(1000);
    return file;
}

// Arg 1: with the object browser; 0: without, for comparison.
void BM_OpenChart(benchmark::State& state) {
    const bool browser = state.range(0) != 0;
    for (auto _ : state) {
        CChildFrame frame;
        if (!browser)
            frame.view().layout().setObjectBrowser(nullptr);
        frame.resize(1200, 800);
        frame.show();
        std::istringstream in(thousandStates());
        frame.view().layout().read(in);
        QApplication::processEvents();
        const QTreeWidgetItem* root = frame.objectTree().rootItem();
        state.counters["listed"] = root ? root->childCount() : 0;
    }
}
BENCHMARK(BM_OpenChart)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One inserted state (and its deletion, so the chart stays the same size), without undo
// snapshots: what the view and the browser spend on the edit itself. Arg as above.
void BM_InsertAndDeleteState(benchmark::State& state) {
    CChildFrame frame;
    if (state.range(0) == 0)
        frame.view().layout().setObjectBrowser(nullptr);
    frame.resize(1200, 800);
    frame.show();
    std::istringstream in(thousandStates());
    frame.view().layout().read(in);
    QApplication::processEvents();
    ModelMgr& mm = *frame.view().layout().getModelMgr();
    for (auto _ : state) {
        Shape* added = mm.insertShape(cmd::InsertState, CPoint(30, 30));
        QApplication::processEvents();
        delete added;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_InsertAndDeleteState)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The Insert State command as a user gives it: the edit, the browser and the undo snapshot.
void BM_InsertStateCommand(benchmark::State& state) {
    CChildFrame frame;
    frame.resize(1200, 800);
    frame.show();
    std::istringstream in(thousandStates());
    frame.view().layout().read(in);
    QApplication::processEvents();
    for (auto _ : state) {
        frame.view().layout().onCommand(cmd::InsertStateAt);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_InsertStateCommand)->Unit(benchmark::kMillisecond);

} // namespace
