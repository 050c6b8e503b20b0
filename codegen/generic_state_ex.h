#pragma once
// The generation variant of a state: places itself in the state tree derived from the
// drawing's geometry and fills its generation record.

#include "codegen/generatable.h"
#include "codegen/progress_callback.h"
#include "model/generic_state.h"
#include "platform/kelmora_export.h"

#include <string>
#include <vector>

class InitialStateEx;
struct StateInfo;
struct StateNode;

class KELMORA_API GenericStateEx : public GenericState, public Generatable {
public:
    GenericStateEx() = default;
    GenericStateEx(long id, ViewServices* view, const CRect& r, const std::string& name);

    // 1 adopted (here or below), 0 not inside this state, -1 overlap error in message.
    short adoptSubState(GenericStateEx* candidate, std::string& message);
    // 1 adopted, 0 not inside this state, -1 overlap error, -2 a second initial state.
    short adoptInitialState(InitialStateEx* candidate, std::string& message);
    bool isYourDirectSubState(State* state) const;

    void setParent(GenericStateEx* p) { parent = p; }
    GenericStateEx* getParent() const { return parent; }
    void setClassName(const std::string& n) { className = n; }
    const std::string& getClassName() const { return className; }
    const std::vector<GenericStateEx*>& getSubStates() const { return subStates; }
    InitialStateEx* getInitialState() const { return initialState; }

    // Names the initial state and every sub-state after this state, recursively.
    void setSubStateClassName();
    // The flag is the caller's isRoot for top-level states; the records do not depend on it.
    void fillModelInfo(bool topLevelOfRoot, ProgressCallback callback, StateNode& parentNode);

protected:
    void fillOnEntryOnExit(StateInfo& info);
    void fillTransitionInfo(StateInfo& info, ProgressCallback callback);

    std::vector<GenericStateEx*> subStates; // not owned
    InitialStateEx* initialState = nullptr;
    GenericStateEx* parent = nullptr;
    std::string className;
};
