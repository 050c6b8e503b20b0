#pragma once
// The anchor layouts of rectangular shapes, from the rectangle in model units.

#include "model/connectable.h"

#include <map>

namespace anchors {

// One anchor in the middle of each side, all with index 1.
inline void midSides(std::map<NODE, CPoint>& nodes, const CRect& r) {
    const LONG midX = (r.left + r.right) / 2;
    const LONG midY = (r.top + r.bottom) / 2;
    nodes[NODE(1, 1)] = {midX, r.top};
    nodes[NODE(1, 2)] = {r.right, midY};
    nodes[NODE(1, 3)] = {midX, r.bottom};
    nodes[NODE(1, 4)] = {r.left, midY};
}

// Three anchors per side at the quarter points, numbered clockwise.
inline void quarters(std::map<NODE, CPoint>& nodes, const CRect& r) {
    const LONG midX = (r.left + r.right) / 2;
    const LONG midY = (r.top + r.bottom) / 2;
    const LONG qW = (r.right - r.left) / 4;
    const LONG qH = (r.bottom - r.top) / 4;
    nodes[NODE(1, 1)] = {midX - qW, r.top};
    nodes[NODE(2, 1)] = {midX, r.top};
    nodes[NODE(3, 1)] = {midX + qW, r.top};
    nodes[NODE(1, 2)] = {r.right, midY - qH};
    nodes[NODE(2, 2)] = {r.right, midY};
    nodes[NODE(3, 2)] = {r.right, midY + qH};
    nodes[NODE(1, 3)] = {midX + qW, r.bottom};
    nodes[NODE(2, 3)] = {midX, r.bottom};
    nodes[NODE(3, 3)] = {midX - qW, r.bottom};
    nodes[NODE(1, 4)] = {r.left, midY + qH};
    nodes[NODE(2, 4)] = {r.left, midY};
    nodes[NODE(3, 4)] = {r.left, midY - qH};
}

} // namespace anchors
