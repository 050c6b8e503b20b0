#include "model/factory.h"

#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"

#include <array>
#include <utility>

namespace {

using Maker = Shape* (*)();

template <class T> Shape* makeShape() { return new T(); }

// Compared in this order.
const std::array<std::pair<const char*, Maker>, 7> kTable{{
    {"GenericState", makeShape<GenericState>},
    {"InitialState", makeShape<InitialState>},
    {"FinalState", makeShape<FinalState>},
    {"Transition", makeShape<Transition>},
    {"Mesg", makeShape<Mesg>},
    {"Note", makeShape<Note>},
    {"Line", makeShape<Line>},
}};

} // namespace

Shape* Factory::createShape(const std::string& type) {
    for (const auto& [name, make] : kTable)
        if (type == name)
            return make();
    return nullptr;
}
