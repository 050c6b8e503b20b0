#include "editor/view/tool_images.h"

#include "platform/command_ids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kImage = 30;
// The hot spot sits this far above and left of the picture, so the picture does not hide
// the point where the shape lands.
constexpr int kHotSpot = 10;

const QColor kInk(40, 40, 40);
const QColor kStateFill(255, 255, 191);
const QColor kNoteFill(255, 255, 225);

void drawTool(QPainter& p, unsigned tool) {
    p.setPen(QPen(kInk, 1.5));
    switch (tool) {
    case cmd::InsertState: {
        const QRectF box(3, 6, 24, 18);
        p.setBrush(kStateFill);
        p.drawRoundedRect(box, 4, 4);
        p.drawLine(QPointF(box.left(), 11), QPointF(box.right(), 11));
        break;
    }
    case cmd::NewTransition: {
        p.drawLine(QPointF(15, 4), QPointF(15, 24));
        QPainterPath head;
        head.moveTo(15, 27);
        head.lineTo(10.5, 20);
        head.lineTo(19.5, 20);
        head.closeSubpath();
        p.setBrush(kInk);
        p.drawPath(head);
        break;
    }
    case cmd::InsertInitialState:
        p.setBrush(kInk);
        p.drawEllipse(QPointF(15, 15), 8, 8);
        break;
    case cmd::InsertFinalState:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(15, 15), 10, 10);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(15, 15), 5.5, 5.5);
        break;
    case cmd::InsertNote: {
        QPainterPath page;
        page.moveTo(4, 7);
        page.lineTo(20, 7);
        page.lineTo(26, 13);
        page.lineTo(26, 24);
        page.lineTo(4, 24);
        page.closeSubpath();
        p.setBrush(kNoteFill);
        p.drawPath(page);
        p.drawPolyline(QPolygonF({QPointF(20, 7), QPointF(20, 13), QPointF(26, 13)}));
        for (qreal y : {15.0, 19.0})
            p.drawLine(QPointF(8, y), QPointF(18, y));
        break;
    }
    case cmd::InsertLine:
        p.setPen(QPen(kInk, 1.5, Qt::DashLine));
        p.drawLine(QPointF(5, 25), QPointF(25, 5));
        break;
    default:
        break;
    }
}

} // namespace

QCursor toolDragCursor(unsigned tool, qreal devicePixelRatio) {
    if (tool < cmd::InsertState || tool > cmd::InsertLine)
        return QCursor(Qt::ArrowCursor);
    const int side = kImage + kHotSpot;
    QPixmap pixmap(QSize(side, side) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A plain arrow tip at the hot spot tells where the drop lands.
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(0.5, 0.5), QPointF(6.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 6.5));
    p.translate(kHotSpot, kHotSpot);
    p.setOpacity(0.85);
    drawTool(p, tool);
    p.end();
    return QCursor(pixmap, 0, 0);
}
