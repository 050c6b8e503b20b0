#pragma once
// The root of the analysed state tree: an unnamed state covering the whole drawing. When the
// chart's top level has an initial state, the code generator wraps it in a new root.

#include "codegen/generic_state_ex.h"
#include "platform/kelmora_export.h"

#include <memory>
#include <vector>

class KELMORA_API StateMachine : public GenericStateEx {
public:
    StateMachine();
    ~StateMachine() override;

    virtual void fillModelInfo(ProgressCallback callback);

    // True when the machine has no initial state of its own.
    bool isRoot() const { return initialState == nullptr; }
    // Takes ownership of the machine and makes it the only kind of sub-state it adds.
    void setSubMachine(StateMachine* machine);
    void setName(const std::string& n) { name = n; }

private:
    std::vector<std::unique_ptr<StateMachine>> ownedMachines;
};
