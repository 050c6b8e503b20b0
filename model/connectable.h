#pragma once
// Anchors and attachments. A Connectable shape offers anchor points (NODEs) that Connectors
// (note lines) attach to; when it moves it tells them to follow, and when it dies it lets
// them go.

#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <cstdint>
#include <map>
#include <vector>

class Connectable;
class ViewServices;

// An anchor key: side 1 top, 2 right, 3 bottom, 4 left (also the direction codes of
// Util::getIncrimentedPoint), index 1..3 along the side. 65535 in both means unset.
struct NODE {
    static constexpr std::uint16_t cUnset = 65535;
    std::uint16_t index = cUnset;
    std::uint16_t side = cUnset;

    constexpr NODE() = default;
    constexpr NODE(std::uint16_t idx, std::uint16_t sd) : index(idx), side(sd) {}
    constexpr bool isSet() const { return !(index == cUnset && side == cUnset); }
    constexpr bool operator==(const NODE&) const = default;
    // Map order: by side, then by index.
    constexpr bool operator<(const NODE& o) const {
        return side != o.side ? side < o.side : index < o.index;
    }
};

// The side that follows an attached shape. No virtual destructor: connectors are never
// deleted through this interface.
class KELMORA_API Connector {
public:
    // The attached shape moved or changed: recompute my geometry.
    virtual void reCalculate(Connectable* c) = 0;
    // The attached shape goes away: forget it.
    virtual void detach(Connectable* c) = 0;
    virtual bool isUnderCollection() = 0;

protected:
    ~Connector() = default;
};

class KELMORA_API Connectable {
public:
    Connectable() = default;
    // A copy has the anchors but no connectors: those are attached to the original.
    Connectable(const Connectable& other) : nodes(other.nodes) {}
    Connectable& operator=(const Connectable& other) {
        nodes = other.nodes;
        return *this;
    }
    virtual ~Connectable();
    virtual long getObjectId() = 0;
    virtual bool isUnderCollection() = 0;
    // Half size, in pixels, of the square around an anchor that counts as on it.
    virtual std::uint16_t getNodeSensitivity() = 0;
    virtual ViewServices* getMgr() = 0;

    // Appends without a duplicate check.
    void attach(Connector* c);
    // Removes the first occurrence.
    void detach(Connector* c);
    // pt in normal-scale pixels (model units x 6); the first anchor in map order wins.
    bool isPointInNode(const CPoint& pt, NODE& out);
    // An absent key is added with (0, 0).
    const CPoint& getAnchorPoint(const NODE& n);
    const std::map<NODE, CPoint>& getNodes() const { return nodes; }
    const std::vector<Connector*>& getConnectors() const { return connectors; }

protected:
    // Tells the connectors to follow; when all is false, connectors in the selection are
    // skipped (they move with it).
    void publishChange(bool all);
    void detachConnectorAll();

    std::vector<Connector*> connectors;
    std::map<NODE, CPoint> nodes; // model units
};
