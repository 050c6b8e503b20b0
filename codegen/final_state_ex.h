#pragma once
// The generation variant of a final state. Analysis never places final states, so the parent
// stays unset unless a language generator sets it.

#include "model/final_state.h"
#include "platform/kelmora_export.h"

class GenericStateEx;

class KELMORA_API FinalStateEx : public FinalState {
public:
    FinalStateEx() = default;
    FinalStateEx(long id, ViewServices* view, const CRect& r)
        : State(id, cType, view, r, ""), FinalState(id, view, r) {}

    void setParent(GenericStateEx* p) { parent = p; }
    GenericStateEx* getParent() const { return parent; }

private:
    GenericStateEx* parent = nullptr;
};
