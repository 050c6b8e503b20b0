#include "editor/tools/splash_picture.h"

#include <QFontDatabase>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk(0x20, 0x30, 0x40);
const QColor kTransition(0, 128, 255);  // the editor's transition colour
const QColor kStateFill(255, 255, 191); // the editor's default state colour
const QColor kStateBorder(0x2A, 0x6B, 0xA8);

QFont font(int pixelSize, bool bold = false) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void arrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(kTransition, 1.5));
    p.drawLine(from, to);
    const QLineF back(to, from);
    QLineF side = back;
    side.setLength(7);
    side.setAngle(back.angle() + 25);
    const QPointF left = side.p2();
    side.setAngle(back.angle() - 25);
    p.setPen(Qt::NoPen);
    p.setBrush(kTransition);
    p.drawPolygon(QPolygonF({to, left, side.p2()}));
}

void state(QPainter& p, const QRectF& r, const QString& name, bool composite = false) {
    p.setPen(QPen(kStateBorder, 1.5));
    p.setBrush(composite ? kStateFill.lighter(104) : kStateFill);
    p.drawRoundedRect(r, 7, 7);
    p.setPen(kInk);
    p.setFont(font(12, composite));
    if (composite) {
        p.drawText(r.adjusted(0, 3, 0, 0), Qt::AlignHCenter | Qt::AlignTop, name);
        p.setPen(QPen(kStateBorder, 1));
        p.drawLine(QPointF(r.left(), r.top() + 19), QPointF(r.right(), r.top() + 19));
    } else {
        p.drawText(r, Qt::AlignCenter, name);
    }
}

void initialDot(QPainter& p, QPointF centre, qreal radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(centre, radius, radius);
}

void label(QPainter& p, QPointF at, const QString& text) {
    p.setPen(kInk);
    p.setFont(font(11));
    p.drawText(at, text);
}

// A small chart: an initial state, a plain state, a composite with two sub-states and a final
// state, kept left of the version text.
void chart(QPainter& p) {
    initialDot(p, {30, 150}, 5);
    arrow(p, {35, 150}, {58, 150});
    state(p, {58, 134, 62, 32}, QStringLiteral("Idle"));
    arrow(p, {120, 150}, {150, 150});
    label(p, {126, 144}, QStringLiteral("go"));

    const QRectF running(150, 102, 104, 100);
    state(p, running, QStringLiteral("Running"), true);
    initialDot(p, {160, 141}, 3);
    arrow(p, {163, 141}, {172, 141});
    state(p, {172, 130, 70, 22}, QStringLiteral("Fast"));
    state(p, {172, 170, 70, 22}, QStringLiteral("Slow"));
    arrow(p, {190, 152}, {190, 170});
    arrow(p, {224, 170}, {224, 152});

    arrow(p, {202, 202}, {202, 219});
    label(p, {210, 216}, QStringLiteral("stop"));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(202, 226), 6.5, 6.5);
    initialDot(p, {202, 226}, 3.5);
}

} // namespace

QImage drawSplashPicture() {
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient body(0, 84, 0, kSplashHeight);
    body.setColorAt(0, Qt::white);
    body.setColorAt(1, QColor(0xE4, 0xEC, 0xF6));
    p.fillRect(image.rect(), body);

    QLinearGradient band(0, 0, kSplashWidth, 0);
    band.setColorAt(0, QColor(0x17, 0x40, 0x6B));
    band.setColorAt(1, QColor(0x2A, 0x6B, 0xA8));
    p.fillRect(QRect(0, 0, kSplashWidth, 84), band);
    p.fillRect(QRect(0, 84, kSplashWidth, 3), QColor(0xF2, 0xA3, 0x3A));

    p.setPen(Qt::white);
    p.setFont(font(44, true));
    p.drawText(QPointF(24, 56), QStringLiteral("Tavren"));
    p.setPen(QColor(0xD6, 0xE4, 0xF2));
    p.setFont(font(13));
    p.drawText(QPointF(27, 75), QStringLiteral("Hierarchical state machine designer"));

    chart(p);

    p.setPen(QColor(0x60, 0x70, 0x80));
    p.setFont(font(11));
    p.drawText(QRectF(232, 212, 142, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("C++  C  C#  Java  XML"));
    return image;
}
