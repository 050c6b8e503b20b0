#pragma once
// The generation variant of a transition: must join two states, and turns its label into a
// record of the state it leaves.

#include "codegen/generatable.h"
#include "codegen/progress_callback.h"
#include "model/transition.h"
#include "platform/kelmora_export.h"

struct StateInfo;

class KELMORA_API TransitionEx : public Transition, public Generatable {
public:
    TransitionEx() = default;
    TransitionEx(long id, ViewServices* view, const CPoint& from, const CPoint& to)
        : Transition(id, view, from, to) {}

    void assertValid() override;
    // Appends one record to info when the transition carries a label.
    void fillModelInfo(StateInfo& info, ProgressCallback callback);
};
