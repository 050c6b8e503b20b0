#include "editor/view/sim_marks.h"

#include "editor/platform/qt_convert.h"
#include "model/link.h"
#include "model/rect_shape.h"
#include "model/transition.h"
#include "view/layout_mgr.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

// Okabe and Ito's palette: told apart with the common colour-vision deficiencies.
const QColor cBlue(0, 114, 178);
const QColor cOrange(230, 159, 0);
const QColor cPurple(204, 121, 167);
const QColor cVermillion(213, 94, 0);
const QColor cInk(30, 30, 30);

struct Style {
    QColor colour;
    Qt::PenStyle line;
    int width;
    const char* word;
};

Style styleOf(SimMark::Kind kind) {
    switch (kind) {
    case SimMark::Active:
        return {cBlue, Qt::SolidLine, 3, "active"};
    case SimMark::Innermost:
        return {cBlue, Qt::SolidLine, 5, "active (innermost)"};
    case SimMark::Fired:
        return {cOrange, Qt::SolidLine, 5, "fired"};
    case SimMark::NotFired:
        return {cPurple, Qt::DashLine, 3, "not fired"};
    case SimMark::Picked:
        return {cInk, Qt::DashDotLine, 2, ""};
    case SimMark::Disagrees:
        return {cVermillion, Qt::DotLine, 4, "trace differs"};
    }
    return {cInk, Qt::SolidLine, 1, ""};
}

// The route in client pixels, source end first.
QPolygon routeOf(const Transition& t) {
    QPolygon route;
    const HeadLink* head = t.getHeadLink();
    if (!head)
        return route;
    route << toQPoint(t.getPixel(head->getHeadPt()));
    for (const Link* l = head; l; l = l->getTail())
        route << toQPoint(t.getPixel(l->getTailPt()));
    return route;
}

QRect boxOf(LayoutMgr& chart, const RectShape& r) {
    return toQRect(chart.zpFu(chart.getClientPos(r.getRect())));
}

// The middle of the route by length: where a transition's mark puts its label.
QPoint middleOf(const QPolygon& route) {
    double total = 0;
    for (int i = 1; i < route.size(); ++i)
        total += QLineF(route[i - 1], route[i]).length();
    double left = total / 2;
    for (int i = 1; i < route.size(); ++i) {
        const QLineF leg(route[i - 1], route[i]);
        if (leg.length() >= left && leg.length() > 0)
            return leg.pointAt(left / leg.length()).toPoint();
        left -= leg.length();
    }
    return route.isEmpty() ? QPoint() : route.first();
}

void drawTag(QPainter& painter, const QString& text, QPoint at, bool above, const Style& style,
             bool filled) {
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(painter.font());
    QRect box(at, QSize(metrics.horizontalAdvance(text) + 8, metrics.height() + 4));
    if (above) // a state's tag sits on its outline, clear of its name
        box.translate(0, -box.height());
    painter.fillRect(box, filled ? style.colour : QColor(Qt::white));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(style.colour, 2, Qt::SolidLine));
    painter.drawRect(box);
    painter.setPen(filled ? QColor(Qt::white) : cInk);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

void paintSimMarks(QPainter& painter, LayoutMgr& chart, const SimMarks& marks) {
    if (marks.empty() || !chart.getModelMgr())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The chart's drawing may leave opaque text backgrounds on: they would hide the tags' fill.
    painter.setBackgroundMode(Qt::TransparentMode);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    // Lines first, tags on top, so that no outline crosses a tag's text.
    struct Tag {
        QPoint at;
        bool above;
        const SimMark* mark;
    };
    std::vector<Tag> tags;
    for (const SimMark& mark : marks.marks) {
        Shape* shape = chart.getModelMgr()->getShape(mark.shapeId);
        const Style style = styleOf(mark.kind);
        QPen pen(style.colour, style.width, style.line, Qt::FlatCap, Qt::MiterJoin);
        painter.setPen(pen);
        if (auto* t = dynamic_cast<Transition*>(shape)) {
            const QPolygon route = routeOf(*t);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(route);
            tags.push_back({middleOf(route) + QPoint(6, 4), false, &mark});
        } else if (auto* r = dynamic_cast<RectShape*>(shape)) {
            const int out = mark.kind == SimMark::Picked ? 6 : 3;
            const QRect box = boxOf(chart, *r).adjusted(-out, -out, out, out);
            painter.setBrush(mark.kind == SimMark::Picked ? QColor(255, 230, 0, 60)
                                                          : QColor(Qt::transparent));
            painter.drawRect(box);
            tags.push_back({box.topLeft(), true, &mark});
        }
    }
    for (const Tag& tag : tags) {
        const Style style = styleOf(tag.mark->kind);
        const QString text =
            QString::fromStdString(tag.mark->label.empty() ? style.word : tag.mark->label);
        drawTag(painter, text, tag.at, tag.above, style, tag.mark->kind == SimMark::Innermost);
    }
    painter.restore();
}

QRect simMarksArea(LayoutMgr& chart, const SimMarks& marks) {
    QRect area;
    if (!chart.getModelMgr())
        return area;
    for (const SimMark& mark : marks.marks) {
        Shape* shape = chart.getModelMgr()->getShape(mark.shapeId);
        if (auto* t = dynamic_cast<Transition*>(shape))
            area |= routeOf(*t).boundingRect();
        else if (auto* r = dynamic_cast<RectShape*>(shape))
            area |= boxOf(chart, *r);
    }
    return area;
}
