#include "model/shape_registry.h"

Shape* ShapeRegistry::getShape(long id) const {
    auto it = shapeMap.find(id);
    return it == shapeMap.end() ? nullptr : it->second;
}

void ShapeRegistry::registerShape(Shape* shape, long id) {
    shapeMap[id] = shape;
    if (id > lastId)
        lastId = id;
}

void ShapeRegistry::unRegisterShape(long id) { shapeMap.erase(id); }
