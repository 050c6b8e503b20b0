#pragma once
// A small rectangle with anchors for tests of the shape bases: four anchors at the side
// centres, a log of what the selection sent it and of its rectangle changes, and a fake
// connector that remembers how it was told to follow.

#include "model/config.h"
#include "model/connectable_rect_shape.h"
#include "model/view_services.h"
#include "tests/fakes/fake_platform.h"
#include "view/layout_mgr.h"

#include <string>
#include <vector>

class TestBox : public ConnectableRectShape {
public:
    static inline const std::string cType = "TestBox";

    TestBox(long id, ViewServices* view, const CRect& r)
        : ConnectableRectShape(id, cType, view, r, cStateLayer) {}

    using Connectable::publishChange;
    using RectShape::adjustRect;
    using RectShape::resizeRect;

    const std::string& getType() const override { return cType; }

    void updateNodes() override {
        if (frozen)
            return;
        nodes.clear();
        const CPoint c = rect.CenterPoint();
        nodes[NODE(1, 1)] = CPoint(c.x, rect.top);
        nodes[NODE(1, 2)] = CPoint(rect.right, c.y);
        nodes[NODE(1, 3)] = CPoint(c.x, rect.bottom);
        nodes[NODE(1, 4)] = CPoint(rect.left, c.y);
    }
    void setNodes(std::map<NODE, CPoint> n) { nodes = std::move(n); }

    UINT getHandleMask() const override { return mask; }

    void onRectChange(const CRect& oldRect, bool resized) override {
        changes.push_back({oldRect, resized});
        ConnectableRectShape::onRectChange(oldRect, resized);
    }

    void execute(EAction action, void* data) override {
        actions.push_back(action);
        ConnectableRectShape::execute(action, data);
    }

    struct Change {
        CRect old;
        bool resized;
    };
    std::vector<Change> changes;
    std::vector<EAction> actions;
    bool frozen = false; // updateNodes leaves the anchors alone
    UINT mask = 255;
};

class FakeConnector : public Connector {
public:
    virtual ~FakeConnector() = default;
    bool selected = false;
    std::vector<Connectable*> recalculated;
    std::vector<Connectable*> detached;
    std::vector<long> detachedIds;

    void reCalculate(Connectable* c) override { recalculated.push_back(c); }
    void detach(Connectable* c) override {
        detached.push_back(c);
        // A real line asks who lets it go and drops its side of the link.
        detachedIds.push_back(c->getObjectId());
        c->detach(this);
    }
    bool isUnderCollection() override { return selected; }
};

// A chart view with a scripted window; shapes added here are owned by its model manager.
struct Chart {
    ScriptedWnd wnd;
    LayoutMgr lm;

    Chart() { lm.setWindow(&wnd); }
    TestBox* add(long id, const CRect& r) {
        auto* box = new TestBox(id, &lm, r);
        lm.getModelMgr()->addShape(box);
        return box;
    }
};
