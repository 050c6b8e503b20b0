// Painting a chart as the chart window does (white, grid, every shape layer by layer through
// QtDC) into an offscreen image the size of a large window, at the normal zoom. Charts are
// states in rows of 50, each joined to its right-hand neighbour by a labelled transition.

#include "bench/grid_chart.h"
#include "editor/view/chart_view.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// States with actions, transitions and labels until the chart holds `shapes` shapes.
void buildChart(LayoutMgr& view, int shapes) {
    const auto enough = [shapes](int, std::size_t count) {
        return count >= static_cast<std::size_t>(shapes);
    };
    buildGridChart(view, enough, true);
}

void BM_PaintChart(benchmark::State& state) {
    LayoutMgr view;
    buildChart(view, static_cast<int>(state.range(0)));
    view.initialUpdate();
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        ChartView::paintChart(painter, view, image.rect());
    }
    state.counters["shapes"] = static_cast<double>(view.getModelMgr()->getShapeList().size());
}
BENCHMARK(BM_PaintChart)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
