#pragma once
// Conversions between the platform's value types and Qt's.

#include "platform/gdi.h"
#include "platform/geometry.h"

#include <QColor>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <vector>

inline QColor toQColor(COLORREF c) {
    return QColor(static_cast<int>(GetRValue(c)), static_cast<int>(GetGValue(c)),
                  static_cast<int>(GetBValue(c)));
}

inline COLORREF toColorRef(const QColor& c) {
    return RGB(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
               static_cast<unsigned>(c.blue()));
}

inline QPoint toQPoint(CPoint p) {
    return {p.x, p.y};
}
inline CPoint toCPoint(QPoint p) {
    return {p.x(), p.y()};
}

// Right and bottom stay outside, as in CRect.
inline QRect toQRect(const CRect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}
inline CRect toCRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The smallest rectangle through every point (its right and bottom on the outermost points);
// the points must not be empty.
inline CRect pointBounds(const std::vector<CPoint>& points) {
    CRect box(points.front(), points.front());
    for (const CPoint& p : points)
        box = CRect(std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                    std::max(box.bottom, p.y));
    return box;
}
