#pragma once
// Points, sizes and rectangles with the windowing conventions the model is drawn in:
// signed 32-bit, y grows downwards, left/top inside, right/bottom outside.

#include <algorithm>
#include <cstdint>

using LONG = std::int32_t;
using UINT = unsigned int;

struct CSize {
    LONG cx = 0;
    LONG cy = 0;

    constexpr CSize() = default;
    constexpr CSize(LONG x, LONG y) : cx(x), cy(y) {}

    constexpr bool operator==(const CSize&) const = default;
    constexpr CSize operator-() const { return {-cx, -cy}; }
    constexpr CSize operator+(CSize s) const { return {cx + s.cx, cy + s.cy}; }
    constexpr CSize operator-(CSize s) const { return {cx - s.cx, cy - s.cy}; }
};

struct CPoint {
    LONG x = 0;
    LONG y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(LONG px, LONG py) : x(px), y(py) {}
    constexpr explicit CPoint(CSize s) : x(s.cx), y(s.cy) {}

    constexpr bool operator==(const CPoint&) const = default;
    constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
    constexpr CPoint operator+(CPoint p) const { return {x + p.x, y + p.y}; }
    constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint& operator+=(CSize s) {
        x += s.cx;
        y += s.cy;
        return *this;
    }
    constexpr CPoint& operator-=(CSize s) {
        x -= s.cx;
        y -= s.cy;
        return *this;
    }
    constexpr void Offset(LONG dx, LONG dy) {
        x += dx;
        y += dy;
    }
};

constexpr CSize toSize(CPoint p) { return {p.x, p.y}; }

struct CRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx),
          bottom(topLeft.y + size.cy) {}

    constexpr bool operator==(const CRect&) const = default;

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    // Integer division toward zero, as every caller expects.
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty: no area (zero or negative width or height).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void SetRect(LONG l, LONG t, LONG r, LONG b) { *this = CRect(l, t, r, b); }
    constexpr void SetRectEmpty() { *this = CRect(); }
    constexpr void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    constexpr void OffsetRect(LONG dx, LONG dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void OffsetRect(CSize d) { OffsetRect(d.cx, d.cy); }
    constexpr void OffsetRect(CPoint d) { OffsetRect(d.x, d.y); }
    constexpr void InflateRect(LONG dx, LONG dy) {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }
    constexpr void InflateRect(LONG l, LONG t, LONG r, LONG b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    constexpr void DeflateRect(LONG dx, LONG dy) { InflateRect(-dx, -dy); }

    // Intersection of two rectangles; false and an all-zero rectangle when they do not overlap.
    constexpr bool IntersectRect(const CRect& a, const CRect& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Smallest rectangle holding both; an empty operand does not count.
    constexpr bool UnionRect(const CRect& a, const CRect& b) {
        if (a.IsRectEmpty()) {
            *this = b.IsRectEmpty() ? CRect() : b;
        } else if (b.IsRectEmpty()) {
            *this = a;
        } else {
            *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                          std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }
};

// The windows API names the plain rectangle RECT; callers that take one receive a CRect.
using RECT = CRect;
