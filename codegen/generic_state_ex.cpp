#include "codegen/generic_state_ex.h"

#include "codegen/initial_state_ex.h"
#include "codegen/model_info.h"
#include "codegen/transition_ex.h"

#include <algorithm>
#include <memory>

GenericStateEx::GenericStateEx(long id, ViewServices* view, const CRect& r,
                               const std::string& stateName)
    : State(id, cType, view, r, stateName), GenericState(id, view, r, stateName) {}

namespace {
enum class Placement { Outside, Encloses, Inside, Partial };

// Where a candidate rectangle lies relative to the container; touching edges do not overlap.
Placement place(CRect container, CRect candidate) {
    container.NormalizeRect();
    candidate.NormalizeRect();
    CRect common;
    if (!common.IntersectRect(container, candidate))
        return Placement::Outside;
    if (common == container)
        return Placement::Encloses;
    if (common == candidate)
        return Placement::Inside;
    return Placement::Partial;
}
// 1 when the candidate lies inside the container, 0 when outside it, -1 (the overlap in
// message) otherwise.
short containment(const CRect& container, const std::string& containerName, const CRect& candidate,
                  const std::string& candidateName, std::string& message) {
    switch (place(container, candidate)) {
    case Placement::Outside:
        return 0;
    case Placement::Encloses:
        message = candidateName + " completely overlaps " + containerName;
        return -1;
    case Placement::Partial:
        message = candidateName + " partially overlaps " + containerName;
        return -1;
    case Placement::Inside:
        break;
    }
    return 1;
}
} // namespace

short GenericStateEx::adoptSubState(GenericStateEx* candidate, std::string& message) {
    if (const short inside =
            containment(rect, name, candidate->getRect(), candidate->getName(), message);
        inside != 1)
        return inside;
    for (GenericStateEx* sub : subStates) {
        const short result = sub->adoptSubState(candidate, message);
        if (result != 0)
            return result;
    }
    subStates.push_back(candidate);
    candidate->setParent(this);
    return 1;
}

short GenericStateEx::adoptInitialState(InitialStateEx* candidate, std::string& message) {
    if (const short inside =
            containment(rect, name, candidate->getRect(), candidate->getName(), message);
        inside != 1)
        return inside;
    for (GenericStateEx* sub : subStates) {
        const short result = sub->adoptInitialState(candidate, message);
        if (result != 0)
            return result;
    }
    if (initialState) {
        message = name + " contains multiple initial states.";
        return -2;
    }
    initialState = candidate;
    candidate->setParent(this);
    return 1;
}

bool GenericStateEx::isYourDirectSubState(State* state) const {
    return std::any_of(subStates.begin(), subStates.end(),
                       [state](GenericStateEx* sub) { return static_cast<State*>(sub) == state; });
}

void GenericStateEx::setSubStateClassName() {
    if (initialState)
        initialState->setClassName(initialState->getName() + "_" + name);
    for (GenericStateEx* sub : subStates) {
        sub->setClassName(sub->getName() + "_" + name);
        sub->setSubStateClassName();
    }
}

void GenericStateEx::fillModelInfo(bool, ProgressCallback callback, StateNode& parentNode) {
    StateInfo info;
    info.className = className;
    if (parent)
        info.parentClassName = parent->getClassName();

    std::string initialTarget;
    if (initialState) {
        initialTarget = initialState->getInitialStateClassName();
        info.nesting = 1;
        info.subStateClassNames.push_back(initialTarget);
        for (GenericStateEx* sub : subStates)
            if (sub->getClassName() != initialTarget)
                info.subStateClassNames.push_back(sub->getClassName());
    } else if (!subStates.empty()) {
        info.nesting = 2;
        for (GenericStateEx* sub : subStates)
            info.subStateClassNames.push_back(sub->getClassName());
    }

    fillOnEntryOnExit(info);
    info.history = history == 1;
    fillTransitionInfo(info, callback);

    ModelInfo::getInstance()->stateInfos.push_back(info);

    auto node = std::make_unique<StateNode>(info);
    node->stateId = getObjId();
    node->initialTargetClassName = initialTarget;
    node->initialStateId = initialState ? initialState->getObjId() : -1;
    StateNode& self = *node;
    parentNode.children.push_back(std::move(node));

    for (GenericStateEx* sub : subStates)
        sub->fillModelInfo(false, callback, self);
}

void GenericStateEx::fillOnEntryOnExit(StateInfo& info) {
    info.entryExit.onEntry = textHandler.getEntry();
    info.entryExit.onExit = textHandler.getExit();
}

void GenericStateEx::fillTransitionInfo(StateInfo& info, ProgressCallback callback) {
    for (Transition* t : getHeads())
        if (auto* generated = dynamic_cast<TransitionEx*>(t))
            generated->fillModelInfo(info, callback);
}
