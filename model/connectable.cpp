#include "model/connectable.h"

#include "model/view_services.h"

#include <algorithm>

Connectable::~Connectable() {
    detachConnectorAll();
}

void Connectable::attach(Connector* c) {
    connectors.push_back(c);
}

void Connectable::detach(Connector* c) {
    auto it = std::find(connectors.begin(), connectors.end(), c);
    if (it != connectors.end())
        connectors.erase(it);
}

bool Connectable::isPointInNode(const CPoint& pt, NODE& out) {
    const LONG sens = getNodeSensitivity();
    for (const auto& [node, point] : nodes) {
        const CPoint c = ViewServices::pFu(point);
        const CRect square(c.x - sens, c.y - sens, c.x + sens, c.y + sens);
        if (square.PtInRect(pt)) {
            out = node;
            return true;
        }
    }
    return false;
}

const CPoint& Connectable::getAnchorPoint(const NODE& n) {
    return nodes[n];
}

void Connectable::publishChange(bool all) {
    // A connector may let go of this shape while it recalculates; walk a copy.
    const std::vector<Connector*> snapshot = connectors;
    for (Connector* c : snapshot) {
        if (std::find(connectors.begin(), connectors.end(), c) == connectors.end())
            continue;
        if (!all && c->isUnderCollection())
            continue;
        c->reCalculate(this);
    }
}

void Connectable::detachConnectorAll() {
    // Connectors may call back into detach(); walk a copy.
    const std::vector<Connector*> snapshot = connectors;
    for (Connector* c : snapshot)
        c->detach(this);
    connectors.clear();
}
