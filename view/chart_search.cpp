#include "view/chart_search.h"

#include "model/generic_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "view/model_mgr.h"

namespace {

template <class S> std::string nameOf(S* state) {
    return state ? state->getName() : "Undefined";
}

} // namespace

std::vector<FoundText> ChartSearch::find(const std::string& what, bool inStates, bool inEvents) {
    found.clear();
    rows.clear();
    if (what.empty())
        return rows;
    for (Shape* shape : shapes.getShapeList()) {
        if (auto* state = dynamic_cast<GenericState*>(shape); state && inStates) {
            if (state->getTextHandler()->findString(what)) {
                found.push_back(state->getTextHandler());
                rows.push_back({"State Entry/Exit", state->getName()});
            }
        } else if (auto* mesg = dynamic_cast<Mesg*>(shape); mesg && inEvents) {
            if (mesg->getTextHandler()->findString(what)) {
                const Transition* t = mesg->getTransition();
                found.push_back(mesg->getTextHandler());
                rows.push_back({"Transition Message", nameOf(t ? t->getHeadState() : nullptr) +
                                                          " -> " +
                                                          nameOf(t ? t->getTailState() : nullptr)});
            }
        }
    }
    return rows;
}

bool ChartSearch::replace(const std::vector<int>& selected, const std::string& what,
                          const std::string& with) {
    if (what.empty())
        return false;
    bool changed = false;
    for (int row : selected) {
        if (TextHandler* text = at(row))
            changed = text->replaceString(what, with) || changed;
    }
    return changed;
}

void ChartSearch::edit(int row) {
    if (TextHandler* text = at(row))
        text->handleEdit(rows[static_cast<std::size_t>(row)].detail);
}

TextHandler* ChartSearch::at(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < found.size()
               ? found[static_cast<std::size_t>(row)]
               : nullptr;
}
