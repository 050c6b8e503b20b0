#include "codegen/factory_ex.h"

#include "codegen/final_state_ex.h"
#include "codegen/generic_state_ex.h"
#include "codegen/initial_state_ex.h"
#include "codegen/mesg_ex.h"
#include "codegen/transition_ex.h"

Shape* FactoryEx::createShape(const std::string& type) {
    if (type == GenericState::cType)
        return new GenericStateEx();
    if (type == InitialState::cType)
        return new InitialStateEx();
    if (type == FinalState::cType)
        return new FinalStateEx();
    if (type == Transition::cType)
        return new TransitionEx();
    if (type == Mesg::cType)
        return new MesgEx();
    return Factory::createShape(type);
}
