#include "model/factory.h"

#include "model/shape.h"

#include <array>
#include <utility>

namespace {

using Maker = Shape* (*)();

// Compared in this order. Classes join the table as they are built; a null maker creates
// nothing.
const std::array<std::pair<const char*, Maker>, 7> kTable{{
    {"GenericState", nullptr},
    {"InitialState", nullptr},
    {"FinalState", nullptr},
    {"Transition", nullptr},
    {"Mesg", nullptr},
    {"Note", nullptr},
    {"Line", nullptr},
}};

} // namespace

Shape* Factory::createShape(const std::string& type) {
    for (const auto& [name, make] : kTable)
        if (type == name)
            return make ? make() : nullptr;
    return nullptr;
}
