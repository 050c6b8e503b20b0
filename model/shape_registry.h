#pragma once
// Hands out object ids and maps them to the shapes of one model. The owner of a model's
// shapes derives from it and extends unRegisterShape to drop the shape from its list.

#include "platform/kelmora_export.h"

#include <map>

class Shape;

class KELMORA_API ShapeRegistry {
public:
    virtual ~ShapeRegistry() = default;

    Shape* getShape(long id) const;
    // Ids only grow, so a fresh id never collides with one read from a file.
    long getNewId() { return ++lastId; }

    virtual void registerShape(Shape* shape, long id);
    virtual void unRegisterShape(long id);

private:
    static constexpr long cStartShapeId = 100;

    std::map<long, Shape*> shapeMap;
    long lastId = cStartShapeId;
};
