#include "codegen/initial_state_ex.h"

#include "codegen/generic_state_ex.h"
#include "model/transition.h"
#include "model/util.h"

InitialStateEx::InitialStateEx(long id, ViewServices* view, const CRect& r)
    : State(id, cType, view, r, ""), InitialState(id, view, r) {}

void InitialStateEx::assertValid() {
    const std::string parentName = parent ? parent->getName() : std::string();
    const auto& out = getHeads();
    if (out.empty())
        throw "Initail State without transition for state " + parentName;
    if (out.size() > 1)
        throw "Initail State with multiple transition for state " + parentName;
    EndableState* target = out.front()->getTailState();
    if (!target)
        throw "Initial state with hanging transition for state " + parentName;
    if (!parent || !parent->isYourDirectSubState(target))
        throw "Initial state for " + parentName + " invalid";
}

const std::string& InitialStateEx::getInitialStateClassName() const {
    const auto& out = getHeads();
    if (out.empty())
        throw "No Transition for intitial state " + name;
    auto* target = dynamic_cast<GenericStateEx*>(out.front()->getTailState());
    if (!target)
        throw std::string("Invalid Model. Initial state should not be FinalState");
    return target->getClassName();
}

void InitialStateEx::generate_sm(std::ostream& out, short indent, const std::string& label) {
    Util::putTab(out, indent);
    out << "InitialState : " << label << std::endl;
    Util::putTab(out, indent);
    out << "{" << std::endl;
    Util::putTab(out, static_cast<short>(indent + 1));
    const auto& outgoing = getHeads();
    // A hanging transition has no target to name either.
    if (outgoing.empty() || !outgoing.front()->getTailState())
        throw std::string(" No intitial state");
    out << outgoing.front()->getTailState()->getName() << std::endl;
    Util::putTab(out, indent);
    out << "}" << std::endl << std::endl;
}
