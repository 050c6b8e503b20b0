#include "codegen/transition_ex.h"

#include "codegen/event_text.h"
#include "codegen/generic_state_ex.h"
#include "codegen/mesg_ex.h"
#include "codegen/model_info.h"
#include "model/state.h"

namespace {
const std::string cOrphan = "Orphan Transition.. Either head / tail / both are not attached";
}

void TransitionEx::assertValid() {
    if (!getHeadState() || !getTailState())
        throw cOrphan;
}

void TransitionEx::fillModelInfo(StateInfo& info, ProgressCallback callback) {
    Mesg* label = getMesg();
    if (!label)
        return;
    StartableState* source = getHeadState();
    EndableState* target = getTailState();
    // Analysis rejects these first; a direct caller gets the same answer instead of a crash.
    if (!source || !target)
        throw cOrphan;

    auto* targetState = dynamic_cast<GenericStateEx*>(target);
    const std::string targetClassName =
        targetState ? targetState->getClassName() : std::string("FinalState");
    reportProgress(callback, "Parsing transition from " + source->getName() + " to " +
                                 target->getName() + "...");

    const EventEditorBox* text = label->getTextHandler();
    MesgInfo record;
    // Grouping, duplicate checks and naming go by the event's name; its parameter list
    // travels beside it.
    const EventText event = splitEventText(text->getEvent());
    record.event = event.name;
    record.signature = event.signature;
    record.targetClassName = targetClassName;
    record.targetId = target->getObjId();
    record.transitionId = getObjId();
    record.guard = text->getGuard();
    record.effect = text->getEffect();
    info.transitions.push_back(record);
    ModelInfo::getInstance()->addEvent(record.event, record.signature);
}
