// Painting a chart as the chart window does (white, grid, every shape layer by layer through
// QtDC) into an offscreen image the size of a large window, at the normal zoom. Charts are
// states in rows of 50, each joined to its right-hand neighbour by a labelled transition.

#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// States with transitions and labels until the chart holds `shapes` shapes.
void buildChart(LayoutMgr& view, int shapes) {
    ModelMgr& mm = *view.getModelMgr();
    GenericState* previous = nullptr;
    for (int i = 0; static_cast<int>(mm.getShapeList().size()) < shapes; ++i) {
        const LONG x = 2 + (i % 50) * 30, y = 2 + (i / 50) * 20;
        auto* state = new GenericState(mm.getNewId(), &view, CRect(x, y, x + 20, y + 12),
                                       "State " + std::to_string(i));
        state->getTextHandler()->setData("entry" + std::to_string(i) + "();", "leave();");
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
