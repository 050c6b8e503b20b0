#include "editor/platform/qt_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 32;

// Black strokes with a white rim, visible on any background.
void stroke(QPainter& p, const QPainterPath& path) {
    p.strokePath(path, QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.strokePath(path, QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void drawPointer(QPainter& p) {
    QPainterPath arrow;
    arrow.addPolygon(QPolygonF({{0, 0}, {0, 16}, {4, 12}, {7, 18}, {9, 17}, {6, 11}, {11, 11}}));
    arrow.closeSubpath();
    p.strokePath(arrow, QPen(Qt::white, 2));
    p.fillPath(arrow, Qt::black);
}

void drawCrosshair(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(6, 16);
    cross.lineTo(26, 16);
    cross.moveTo(16, 6);
    cross.lineTo(16, 26);
    stroke(p, cross);
}

QCursor picture(void (*draw)(QPainter&), int hotX, int hotY) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    p.end();
    return QCursor(pixmap, hotX, hotY);
}

// A handle at the end of a note line: crosshair through a small square.
void drawLineEnd(QPainter& p) {
    drawCrosshair(p);
    QPainterPath square;
    square.addRect(13, 13, 6, 6);
    stroke(p, square);
}

// A selected line that moves as a whole: pointer with a line between two handles.
void drawLineBody(QPainter& p) {
    drawPointer(p);
    QPainterPath line;
    line.moveTo(14, 28);
    line.lineTo(28, 14);
    line.addRect(12, 26, 4, 4);
    line.addRect(26, 12, 4, 4);
    stroke(p, line);
}

// A line or transition under the mouse: pointer with a bent connector ending in an arrow.
void drawConnector(QPainter& p) {
    drawPointer(p);
    QPainterPath bend;
    bend.moveTo(12, 27);
    bend.lineTo(24, 27);
    bend.lineTo(24, 15);
    bend.moveTo(20, 19);
    bend.lineTo(24, 15);
    bend.lineTo(28, 19);
    stroke(p, bend);
}

// An end handle of a transition: crosshair through a small ring.
void drawTransitionEnd(QPainter& p) {
    drawCrosshair(p);
    QPainterPath ring;
    ring.addEllipse(QPointF(16, 16), 4, 4);
    stroke(p, ring);
}

} // namespace

// Pictures are drawn on each call: the view asks only when its cursor changes, and a cached
// pixmap would outlive the application object.
QCursor cursorFor(CursorId id) {
    switch (id) {
    case CursorId::SizeWE:
        return Qt::SizeHorCursor;
    case CursorId::SizeNS:
        return Qt::SizeVerCursor;
    case CursorId::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case CursorId::SizeNESW:
        return Qt::SizeBDiagCursor;
    case CursorId::SizeAll:
        return Qt::SizeAllCursor;
    case CursorId::LineEnd:
        return picture(drawLineEnd, 16, 16);
    case CursorId::LineBody:
        return picture(drawLineBody, 0, 0);
    case CursorId::Connector:
        return picture(drawConnector, 0, 0);
    case CursorId::TransitionEnd:
        return picture(drawTransitionEnd, 16, 16);
    default:
        return Qt::ArrowCursor;
    }
}
