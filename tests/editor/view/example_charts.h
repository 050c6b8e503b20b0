#pragma once
// The sample charts shipped with the editor, read into a view, and what the view tests share.

#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "view/layout_mgr.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

inline const std::vector<std::string> kExampleCharts = {"door.tvc", "history.tvc",
                                                        "media_player.tvc", "traffic_light.tvc"};

inline void readExample(LayoutMgr& layout, const std::string& name) {
    std::ifstream in(std::string(TAVREN_EXAMPLES) + "/" + name, std::ios::binary);
    layout.read(in);
}

inline std::vector<GenericState*> statesOf(LayoutMgr& layout) {
    std::vector<GenericState*> states;
    for (Shape* shape : layout.getModelMgr()->getShapeList())
        if (auto* state = dynamic_cast<GenericState*>(shape))
            states.push_back(state);
    return states;
}

// The default background of a state, 0xBFFFFF.
inline const QColor kStateYellow(255, 255, 191);
