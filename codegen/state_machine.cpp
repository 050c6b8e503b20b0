#include "codegen/state_machine.h"

#include "codegen/model_info.h"

StateMachine::StateMachine() {
    // Set directly: setRect would shift a rectangle that starts left of unit 1.
    rect = CRect(-1, -1, 10000, 10000);
}

StateMachine::~StateMachine() = default;

void StateMachine::fillModelInfo(ProgressCallback callback) {
    ModelInfo* info = ModelInfo::getInstance();
    for (GenericStateEx* sub : subStates)
        info->topStateClassNames.push_back(sub->getClassName());
    for (GenericStateEx* sub : subStates)
        sub->fillModelInfo(isRoot(), callback, info->rootNode);
}

void StateMachine::setSubMachine(StateMachine* machine) {
    initialState = nullptr;
    subStates.push_back(machine);
    ownedMachines.emplace_back(machine);
}
