#include "editor/app/object_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>
#include <numbers>

namespace objecticons {
namespace {

const QColor kInk(40, 40, 40);
const QColor kStateFill(255, 255, 191); // the chart's default state colour
const QColor kLabelBorder(0, 160, 0);   // a label's attach colour, darkened to read on white

// An arrow head at tip pointing along the angle (radians), in 16-pixel units.
void arrowHead(QPainter& p, QPointF tip, double angle) {
    const double len = 4.0;
    const double spread = 0.5;
    QPainterPath head(tip);
    head.lineTo(tip - QPointF(len * std::cos(angle - spread), len * std::sin(angle - spread)));
    head.lineTo(tip - QPointF(len * std::cos(angle + spread), len * std::sin(angle + spread)));
    head.closeSubpath();
    p.fillPath(head, kInk);
}

void stateBox(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kStateFill);
    p.drawRoundedRect(r, 2.0, 2.0);
}

// Each picture is drawn in a 16 by 16 box; the painter is scaled for larger sizes.
void draw(QPainter& p, int index) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPen line(kInk, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (index) {
    case Chart:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 160));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        p.setBrush(kStateFill);
        p.drawRoundedRect(QRectF(2.5, 3, 5, 4), 1, 1);
        p.drawRoundedRect(QRectF(8.5, 9, 5, 4), 1, 1);
        p.setPen(QPen(Qt::white, 1.2));
        p.drawLine(QPointF(5, 7), QPointF(5, 11));
        p.drawLine(QPointF(5, 11), QPointF(8.5, 11));
        break;
    case State:
        stateBox(p, QRectF(1.5, 3.5, 13, 9));
        p.setPen(QPen(kInk, 1.0));
        p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        break;
    case Transition:
        stateBox(p, QRectF(0.5, 5.5, 4, 5));
        stateBox(p, QRectF(11.5, 5.5, 4, 5));
        p.setPen(line);
        p.drawLine(QPointF(4.5, 8), QPointF(9.5, 8));
        arrowHead(p, QPointF(11.5, 8), 0);
        break;
    case SelfTransition: {
        stateBox(p, QRectF(1.5, 7.5, 9, 7));
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        QPainterPath loop(QPointF(4, 7.5));
        loop.cubicTo(QPointF(4, 0.5), QPointF(15, 0.5), QPointF(14, 9.5));
        loop.lineTo(QPointF(12.5, 10.5));
        p.drawPath(loop);
        arrowHead(p, QPointF(10.5, 11), std::numbers::pi * 0.85);
        break;
    }
    case LooseTransition:
        stateBox(p, QRectF(0.5, 5.5, 4, 5));
        p.setPen(QPen(kInk, 1.4, Qt::DashLine, Qt::FlatCap));
        p.drawLine(QPointF(4.5, 8), QPointF(10, 8));
        p.setPen(QPen(QColor(200, 30, 30), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11.5, 5), QPointF(15, 11));
        p.drawLine(QPointF(15, 5), QPointF(11.5, 11));
        break;
    case Message:
        p.setPen(QPen(kLabelBorder, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(3.5, 6.5), QPointF(12.5, 6.5));
        p.drawLine(QPointF(3.5, 9.5), QPointF(9.5, 9.5));
        break;
    case Initial:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(8, 8), 5, 5);
        break;
    case Final:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(8, 8), 3.2, 3.2);
        break;
    default:
        break;
    }
}

QPixmap render(int index, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(size / 16.0, size / 16.0);
    draw(p, index);
    return pixmap;
}

} // namespace

const QIcon& icon(int index) {
    static const std::array<QIcon, cCount> icons = [] {
        std::array<QIcon, cCount> made;
        for (int i = 0; i < cCount; ++i) {
            made[i].addPixmap(render(i, 16));
            made[i].addPixmap(render(i, 32));
        }
        return made;
    }();
    static const QIcon none;
    return index >= 0 && index < cCount ? icons[index] : none;
}

} // namespace objecticons
