// Painting a chart as the chart window does (white, grid, every shape layer by layer through
// QtDC) into an offscreen image the size of a large window, at the normal zoom, beside a plain
// QPainter loop drawing the same primitives. Charts are states in rows of 50, each joined to
// its right-hand neighbour by a labelled transition.

#include "bench/grid_chart.h"
#include "editor/view/chart_view.h"
#include "model/link.h"
#include "view/layout_mgr.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// The baseline: the same grid, boxes, routes and texts drawn by a plain QPainter loop over
// primitives prepared beforehand, skipping what lies outside the window as a chart view may.
void BM_PlainQPainter(benchmark::State& state) {
    LayoutMgr view;
    buildChart(view, static_cast<int>(state.range(0)));
    view.initialUpdate();
    const auto pixel = [&](CPoint u) { return QPoint(u.x * 6, u.y * 6); };
    struct Box {
        QRect rect;
        QString title, body;
    };
    std::vector<Box> boxes, labels;
    std::vector<QPolygon> routes;
    for (Shape* shape : view.getModelMgr()->getShapeList()) {
        if (auto* s = dynamic_cast<GenericState*>(shape)) {
            const CRect r = s->getRect();
            boxes.push_back({QRect(pixel(r.TopLeft()), pixel(r.BottomRight())),
                             QString::fromStdString(s->getName()),
                             QString::fromStdString(s->getTextHandler()->getEntry())});
        } else if (auto* m = dynamic_cast<Mesg*>(shape)) {
            const CRect r = m->getRect();
            labels.push_back({QRect(pixel(r.TopLeft()), pixel(r.BottomRight())),
                              QString::fromStdString(m->getTextHandler()->getEvent()),
                              {}});
        } else if (auto* t = dynamic_cast<Transition*>(shape)) {
            QPolygon route;
            for (const Link* l = t->getHeadLink(); l; l = l->getTail())
                route << pixel(l->getHeadPt()) << pixel(l->getTailPt());
            routes.push_back(route);
        }
    }
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QRect window = image.rect();
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(window, Qt::white);
        p.setPen(QPen(QColor(240, 240, 240), 0, Qt::DotLine));
        for (int x = 18; x < window.width(); x += 18)
            p.drawLine(x, 0, x, window.height());
        for (int y = 18; y < window.height(); y += 18)
            p.drawLine(0, y, window.width(), y);
        p.setPen(Qt::black);
        for (const Box& b : boxes) {
            if (!b.rect.intersects(window))
                continue;
            p.setBrush(QColor(255, 255, 191));
            p.drawRoundedRect(b.rect, 30, 30);
            p.drawText(b.rect, Qt::AlignHCenter | Qt::AlignTop, b.title);
            p.drawText(b.rect.adjusted(3, 14, -3, -3), Qt::AlignLeft | Qt::TextWordWrap, b.body);
        }
        p.setPen(QColor(0, 128, 255));
        for (const QPolygon& r : routes)
            p.drawPolyline(r);
        p.setPen(Qt::black);
        for (const Box& l : labels)
            if (l.rect.intersects(window))
                p.drawText(l.rect, Qt::AlignLeft | Qt::TextWordWrap, l.title);
    }
}
BENCHMARK(BM_PlainQPainter)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
