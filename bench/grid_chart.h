#pragma once
// The benchmarks' chart: states in rows of 50, each joined to its right-hand neighbour by a
// transition with a label.

#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "view/layout_mgr.h"

#include <cstddef>
#include <string>

// Adds states until done(states added, shapes in the chart) holds; with actions each state
// also gets entry and exit code to lay out.
template <class Done> void buildGridChart(LayoutMgr& view, Done done, bool actions = false) {
    ModelMgr& mm = *view.getModelMgr();
    GenericState* previous = nullptr;
    for (int i = 0; !done(i, mm.getShapeList().size()); ++i) {
        const LONG x = 2 + (i % 50) * 30, y = 2 + (i / 50) * 20;
        auto* state = new GenericState(mm.getNewId(), &view, CRect(x, y, x + 20, y + 12),
                                       "S" + std::to_string(i));
        if (actions)
            state->getTextHandler()->setData("entry" + std::to_string(i) + "();", "leave();");
        mm.addShape(state);
        if (previous && i % 50 != 0) {
            const CPoint from = previous->getAnchorPoint(NODE(2, 2));
            const CPoint to = state->getAnchorPoint(NODE(2, 4));
            auto* t = new Transition(mm.getNewId(), &view, from, to);
            t->setHeadNode(NODE(2, 2));
            t->setTailNode(NODE(2, 4));
            t->setHeadStateId(previous->getObjId());
            t->setTailStateId(state->getObjId());
            mm.addShape(t);
            auto* label = new Mesg(mm.getNewId(), &view, CRect(x - 8, y + 2, x - 2, y + 6), t);
            label->getTextHandler()->setData("ev" + std::to_string(i), "x > 1", "y++;");
            mm.addShape(label);
        }
        previous = state;
    }
}
