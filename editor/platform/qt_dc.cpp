#include "editor/platform/qt_dc.h"

#include "editor/platform/qt_convert.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_map>

namespace {

// The outline of a shape drawn in r covers r's pixels without its right and bottom edge.
QRect outlineRect(CRect r) {
    r.NormalizeRect();
    return {r.left, r.top, r.Width() - 1, r.Height() - 1};
}

QPolygon toQPolygon(const std::vector<CPoint>& points) {
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const CPoint& p : points)
        poly.append(toQPoint(p));
    return poly;
}

QPen toQPen(const Pen& pen) {
    if (pen.style == PenStyle::Null)
        return Qt::NoPen;
    QPen q(toQColor(pen.color), pen.width);
    switch (pen.style) {
    case PenStyle::Dash:
        q.setStyle(Qt::DashLine);
        break;
    case PenStyle::Dot:
        q.setStyle(Qt::DotLine);
        break;
    case PenStyle::DashDot:
        q.setStyle(Qt::DashDotLine);
        break;
    case PenStyle::DashDotDot:
        q.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    // A one-pixel line leaves out its last pixel, so joined segments do not overlap; wide
    // pens get round ends and joins.
    q.setCapStyle(pen.width == 0 ? Qt::FlatCap : Qt::RoundCap);
    q.setJoinStyle(pen.width == 0 ? Qt::MiterJoin : Qt::RoundJoin);
    return q;
}

QBrush toQBrush(const Brush& brush) {
    return brush.style == BrushStyle::Solid ? QBrush(toQColor(brush.color)) : QBrush();
}

QPainter::CompositionMode toComposition(RasterOp op) {
    switch (op) {
    case RasterOp::XorPen:
        return QPainter::RasterOp_SourceXorDestination;
    case RasterOp::NotXorPen:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// Lines of text as DrawText lays them out.
QStringList layoutLines(const QFontMetrics& fm, const std::string& text, int width,
                        bool wordBreak) {
    QString all = QString::fromStdString(text);
    if (all.isEmpty())
        return {};
    all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines;
    for (const QString& paragraph : all.split(QLatin1Char('\n'))) {
        if (!wordBreak) {
            lines.append(paragraph);
            continue;
        }
        QString line;
        bool started = false;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString candidate = started ? line + QLatin1Char(' ') + word : word;
            if (!started || fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                started = true;
            } else {
                lines.append(line);
                line = word;
            }
        }
        lines.append(line);
    }
    return lines;
}

// Parametric angle (degrees) of the point where the ray from the ellipse's centre through p
// meets the ellipse; y grows downwards, angles count counter-clockwise on screen.
double ellipseAngle(const QRectF& r, CPoint p) {
    const double dx = (p.x - r.center().x()) / (r.width() / 2);
    const double dy = (r.center().y() - p.y) / (r.height() / 2);
    return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

// The anchor image: a framed point.
constexpr std::array<const char*, 5> kAnchorImage = {
    "XXXXX", "X...X", "X.X.X", "X...X", "XXXXX",
};

} // namespace

QtDC::QtDC(QPainter& p, double scale) : painter(p), fontScale(scale) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(toQPen(pen));
    painter.setBrush(toQBrush(brush));
    painter.setFont(toQFont(font, fontScale));
}

QFont QtDC::toQFont(const Font& f, double scale) {
    QFont q(QString::fromStdString(f.face));
    const double pixels = f.sizeTenths / 10.0 * 96.0 / 72.0 * scale;
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return q;
}

Pen QtDC::SelectPen(const Pen& p) {
    const Pen old = pen;
    if (p != pen) {
        pen = p;
        applyPen();
    }
    return old;
}

Brush QtDC::SelectBrush(const Brush& b) {
    const Brush old = brush;
    if (b != brush) {
        brush = b;
        painter.setBrush(toQBrush(brush));
    }
    return old;
}

Font QtDC::SelectFont(const Font& f) {
    const Font old = font;
    if (f != font) {
        font = f;
        painter.setFont(toQFont(font, fontScale));
    }
    return old;
}

COLORREF QtDC::SetTextColor(COLORREF color) {
    return std::exchange(textColor, color);
}

BkMode QtDC::SetBkMode(BkMode mode) {
    painter.setBackgroundMode(mode == BkMode::Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    return std::exchange(bkMode, mode);
}

RasterOp QtDC::SetROP2(RasterOp op) {
    painter.setCompositionMode(toComposition(op));
    return std::exchange(rop, op);
}

void QtDC::applyPen() {
    painter.setPen(toQPen(pen));
}

bool QtDC::shows(CRect bounds) const {
    if (!culling)
        return true;
    bounds.NormalizeRect();
    const LONG grow = pen.width + 2;
    bounds.InflateRect(grow, grow);
    return bounds.left < visible.right && visible.left < bounds.right &&
           bounds.top < visible.bottom && visible.top < bounds.bottom;
}

bool QtDC::showsPoints(const std::vector<CPoint>& points) const {
    return !culling || points.empty() || shows(pointBounds(points));
}

void QtDC::MoveTo(CPoint p) {
    position = p;
}

void QtDC::LineTo(CPoint p) {
    const CPoint from = position;
    position = p;
    if (!shows(CRect(from, p)))
        return;
    // Over an opaque background Qt draws a dashed line twice, once solid in the background
    // colour. A one-pixel line along an axis covers the pixels from its lower end up to, not
    // including, its higher one, in either direction: a fill paints them far faster.
    if (pen.width == 0 && pen.style != PenStyle::Solid && bkMode == BkMode::Opaque &&
        rop == RasterOp::CopyPen && from != p && (from.x == p.x || from.y == p.y) &&
        painter.deviceTransform().type() <= QTransform::TxTranslate) {
        const QRect covered = from.y == p.y
                                  ? QRect(std::min(from.x, p.x), p.y, std::abs(p.x - from.x), 1)
                                  : QRect(p.x, std::min(from.y, p.y), 1, std::abs(p.y - from.y));
        painter.fillRect(covered, painter.background().color());
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.drawLine(toQPoint(from), toQPoint(p));
        painter.setBackgroundMode(Qt::OpaqueMode);
        return;
    }
    painter.drawLine(toQPoint(from), toQPoint(p));
}

void QtDC::Polyline(const std::vector<CPoint>& points) {
    if (points.size() >= 2 && showsPoints(points))
        painter.drawPolyline(toQPolygon(points));
}

void QtDC::Polygon(const std::vector<CPoint>& points) {
    if (points.size() >= 2 && showsPoints(points))
        painter.drawPolygon(toQPolygon(points), Qt::OddEvenFill);
}

void QtDC::Rectangle(const CRect& r) {
    if (shows(r))
        painter.drawRect(outlineRect(r));
}

void QtDC::RoundRect(const CRect& r, CPoint ellipse) {
    if (shows(r))
        painter.drawRoundedRect(outlineRect(r), ellipse.x / 2.0, ellipse.y / 2.0);
}

void QtDC::Ellipse(const CRect& r) {
    if (shows(r))
        painter.drawEllipse(outlineRect(r));
}

void QtDC::Arc(const CRect& r, CPoint start, CPoint end) {
    // One pixel larger than an ellipse's box: the arc's ends then lie on r's edges, where the
    // lines that a transition's rounded corners join end.
    CRect whole = r;
    whole.NormalizeRect();
    if (!shows(whole))
        return;
    const QRectF box(whole.left, whole.top, whole.Width() + 1, whole.Height() + 1);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const double from = ellipseAngle(box, start);
    double span = std::fmod(ellipseAngle(box, end) - from + 360.0, 360.0);
    if (span <= 0.0)
        span = 360.0; // equal rays: the whole ellipse
    painter.drawArc(box, static_cast<int>(std::lround(from * 16)),
                    static_cast<int>(std::lround(span * 16)));
}

void QtDC::FillRect(const CRect& r, const Brush& b) {
    if (b.style == BrushStyle::Solid && shows(r))
        painter.fillRect(toQRect(r), toQColor(b.color));
}

void QtDC::FrameRect(const CRect& r, const Brush& b) {
    if (b.style != BrushStyle::Solid || !shows(r))
        return;
    painter.setPen(QPen(toQColor(b.color), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outlineRect(r));
    applyPen();
    painter.setBrush(toQBrush(brush));
}

namespace {

struct TextLayout {
    QStringList lines;
    std::vector<int> widths;
    int lineHeight = 0;
    int ascent = 0;
    int widest = 0;
};

// Measuring is most of what drawing text costs, and a window repaints the same texts in the
// same fonts over and over, so layouts are kept between paints.
const TextLayout& layoutText(QPainter& painter, const std::string& text, int width,
                             bool wordBreak) {
    const QFont& font = painter.font();
    std::string key = text;
    key += '\0';
    key += font.key().toStdString();
    key += ' ' + std::to_string(painter.device() ? painter.device()->logicalDpiY() : 0) + ' ' +
           std::to_string(wordBreak ? width : -1);
    thread_local std::unordered_map<std::string, TextLayout> cache;
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    if (cache.size() >= 4096)
        cache.clear();
    const QFontMetrics fm = painter.fontMetrics();
    TextLayout layout;
    layout.lines = layoutLines(fm, text, width, wordBreak);
    layout.lineHeight = fm.height();
    layout.ascent = fm.ascent();
    layout.widths.reserve(static_cast<std::size_t>(layout.lines.size()));
    for (const QString& line : layout.lines) {
        layout.widths.push_back(fm.horizontalAdvance(line));
        layout.widest = std::max(layout.widest, layout.widths.back());
    }
    return cache.emplace(std::move(key), std::move(layout)).first->second;
}

} // namespace

int QtDC::DrawText(const std::string& text, CRect& r, unsigned flags) {
    const TextLayout& layout = layoutText(painter, text, r.Width(), flags & DT_WORDBREAK);
    const QStringList& lines = layout.lines;
    const std::vector<int>& widths = layout.widths;
    const int lineHeight = layout.lineHeight;
    const int height = static_cast<int>(lines.size()) * lineHeight;
    const int widest = layout.widest;
    const bool centre = flags & DT_CENTER;

    if (flags & DT_CALCRECT) {
        const LONG left = centre ? r.left + (r.Width() - widest) / 2 : r.left;
        r = CRect(left, r.top, left + widest, r.top + height);
        return height;
    }
    if (!shows(r)) // drawn text stays within r
        return height;

    const bool clip = widest > r.Width() || height > r.Height();
    if (clip) {
        painter.save();
        painter.setClipRect(toQRect(r), Qt::IntersectClip);
    }
    painter.setPen(toQColor(textColor));
    for (int i = 0; i < lines.size(); ++i) {
        const int w = widths[static_cast<std::size_t>(i)];
        const int x = centre ? r.left + (r.Width() - w) / 2 : r.left;
        painter.drawText(QPoint(x, r.top + i * lineHeight + layout.ascent), lines[i]);
    }
    if (clip)
        painter.restore();
    else
        applyPen();
    return height;
}

void QtDC::DrawAnchor(CPoint p) {
    if (brush.style != BrushStyle::Solid || !shows(CRect(p, CSize(5, 5))))
        return;
    const QColor color = toQColor(brush.color);
    // States show many anchors: copying pixels is far cheaper than filling each run. Raster
    // modes and scaled painters take the runs, which they treat as any other fill.
    if (rop == RasterOp::CopyPen && painter.transform().type() <= QTransform::TxTranslate) {
        thread_local QImage image;
        thread_local COLORREF imageColor = 0;
        if (image.isNull() || imageColor != brush.color) {
            image = QImage(5, 5, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x)
                    if (kAnchorImage[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] ==
                        'X')
                        image.setPixelColor(x, y, color);
            imageColor = brush.color;
        }
        painter.drawImage(QPoint(p.x, p.y), image);
        return;
    }
    for (int y = 0; y < static_cast<int>(kAnchorImage.size()); ++y) {
        const std::string_view row = kAnchorImage[static_cast<std::size_t>(y)];
        for (std::size_t x = 0; x < row.size();) {
            std::size_t runEnd = x;
            while (runEnd < row.size() && row[runEnd] == 'X')
                ++runEnd;
            if (runEnd > x) {
                painter.fillRect(p.x + static_cast<int>(x), p.y + y, static_cast<int>(runEnd - x),
                                 1, color);
                x = runEnd;
            } else {
                ++x;
            }
        }
    }
}
