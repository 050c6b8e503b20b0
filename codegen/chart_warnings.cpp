#include "codegen/chart_warnings.h"

#include "codegen/final_state_ex.h"
#include "codegen/generic_state_ex.h"
#include "codegen/initial_state_ex.h"
#include "codegen/state_machine.h"
#include "model/mesg.h"
#include "model/transition.h"

#include <set>

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// A state of the chart, not one of the machines the front end wraps around it.
const GenericStateEx* drawnState(const GenericStateEx* state) {
    return dynamic_cast<const StateMachine*>(state) ? nullptr : state;
}

bool inside(const CRect& outer, const CRect& r) {
    return outer.left <= r.left && outer.top <= r.top && r.right <= outer.right &&
           r.bottom <= outer.bottom;
}

// The label as the chart shows it: event [guard] / effect, each part only when present.
std::string labelText(const EventEditorBox& text) {
    std::string shown = text.getEvent();
    if (!blank(text.getGuard()))
        shown += (shown.empty() ? "[" : " [") + text.getGuard() + "]";
    if (!blank(text.getEffect()))
        shown += (shown.empty() ? "/ " : " / ") + text.getEffect();
    return shown;
}

class Finder {
public:
    explicit Finder(const std::vector<Shape*>& shapes) {
        for (Shape* shape : shapes) {
            if (auto* state = dynamic_cast<GenericStateEx*>(shape))
                states.push_back(state);
            else if (auto* initial = dynamic_cast<InitialStateEx*>(shape))
                initials.push_back(initial);
            else if (auto* final = dynamic_cast<FinalStateEx*>(shape))
                finals.push_back(final);
        }
    }

    std::vector<ChartWarning> run() {
        for (const GenericStateEx* state : states)
            for (const Transition* t : state->getHeads())
                if (auto* target = dynamic_cast<const GenericStateEx*>(t->getTailState()))
                    entered.insert(target);
        for (const InitialStateEx* initial : initials)
            initialTransition(*initial);
        for (const GenericStateEx* state : states)
            for (const Transition* t : state->getHeads())
                eventless(*state, *t);
        for (const GenericStateEx* state : states)
            noInitial(*state);
        return std::move(out);
    }

private:
    void initialTransition(const InitialStateEx& initial) {
        if (initial.getHeads().empty())
            return;
        const Transition& t = *initial.getHeads().front();
        if (auto* target = dynamic_cast<const GenericStateEx*>(t.getTailState()))
            entered.insert(target);
        Mesg* label = t.getMesg();
        if (!label)
            return;
        const std::string text = labelText(*label->getTextHandler());
        if (blank(text))
            return;
        const GenericStateEx* owner = drawnState(initial.getParent());
        out.push_back({"initial-label",
                       "the label \"" + text + "\" on the initial transition of " +
                           (owner ? owner->getClassName() : std::string("the top level")) +
                           " is ignored: an initial transition has no event, guard or effect",
                       {{"label", label->getObjId()}, {"transition", t.getObjId()}}});
    }

    // Without a label a transition is left out of the machine; without an event it waits for
    // its source to complete, and a composite whose own region holds no final state never does.
    void eventless(const GenericStateEx& source, const Transition& t) {
        const auto* target = dynamic_cast<const GenericStateEx*>(t.getTailState());
        const std::string ends = "from " + source.getClassName() + " to " +
                                 (target ? target->getClassName() : std::string("a final state"));
        Mesg* label = t.getMesg();
        if (!label) {
            out.push_back(
                {"no-label",
                 "the transition " + ends +
                     " has no label and never fires: give it an event, or an empty "
                     "label to make it a completion transition",
                 {{source.getClassName(), source.getObjId()}, {"transition", t.getObjId()}}});
            return;
        }
        if (!blank(label->getTextHandler()->getEvent()))
            return;
        if (source.getSubStates().empty() || hasFinalState(source))
            return;
        const std::string guard = label ? label->getTextHandler()->getGuard() : std::string();
        out.push_back({"completion-never-fires",
                       "the transition " + (blank(guard) ? "" : "[" + guard + "] ") + ends +
                           " has no event and never fires: " + source.getClassName() +
                           " has no final state in its region to complete it",
                       {{source.getClassName(), source.getObjId()}, {"transition", t.getObjId()}}});
    }

    void noInitial(const GenericStateEx& state) {
        if (state.getSubStates().empty() || state.getInitialState() || !entered.count(&state))
            return;
        out.push_back({"no-initial-state",
                       state.getClassName() +
                           " is entered directly but has no initial state: it stays active "
                           "without an active sub-state" +
                           (state.hasHistory() ? " until it has history to return to" : ""),
                       {{state.getClassName(), state.getObjId()}}});
    }

    // A final state drawn in the state's region: inside it and inside none of its sub-states.
    bool hasFinalState(const GenericStateEx& state) const {
        for (const FinalStateEx* final : finals) {
            if (!inside(state.getRect(), final->getRect()))
                continue;
            bool deeper = false;
            for (const GenericStateEx* sub : state.getSubStates())
                deeper = deeper || inside(sub->getRect(), final->getRect());
            if (!deeper)
                return true;
        }
        return false;
    }

    std::vector<const GenericStateEx*> states;
    std::vector<const InitialStateEx*> initials;
    std::vector<const FinalStateEx*> finals;
    std::set<const GenericStateEx*> entered;
    std::vector<ChartWarning> out;
};

} // namespace

std::vector<ChartWarning> findChartWarnings(const std::vector<Shape*>& shapes) {
    return Finder(shapes).run();
}
