#pragma once
// The list of all shapes of one model, in file order. It owns them.

#include <vector>

class Factory;
class Shape;

class ModelData {
public:
    explicit ModelData(Factory& f) : factory(f) {}
    // Shallow: copies the pointer list, not the shapes.
    ModelData(const ModelData&) = default;
    ModelData& operator=(const ModelData&) = delete;
    virtual ~ModelData();

    std::vector<Shape*>& getShapeList() { return shapeList; }
    Factory& getFactory() { return factory; }
    bool areShapesRegistered() const { return shapesRegistered; }
    // False while a file is being read into the list.
    void setShapesRegistered(bool registered) { shapesRegistered = registered; }

private:
    std::vector<Shape*> shapeList;
    Factory& factory;
    bool shapesRegistered = true;
};
