#pragma once
// Owns the shapes of one chart in the editor: their registry, their list in file order and
// the selection. The chart view owns one and replaces it wholesale on undo and redo.

#include "model/collection.h"
#include "model/factory.h"
#include "model/model_data.h"
#include "model/shape_registry.h"

class Shape;
class ViewServices;

class ModelMgr : public ShapeRegistry {
public:
    explicit ModelMgr(ViewServices* view);
    ~ModelMgr() override;
    ModelMgr(const ModelMgr&) = delete;
    ModelMgr& operator=(const ModelMgr&) = delete;

    std::vector<Shape*>& getShapeList() { return data.getShapeList(); }
    ModelData& getModelData() { return data; }
    Collection& getCollection() { return selection; }

    // Appends a new shape and joins it to this registry and the view.
    void addShape(Shape* shape);
    // Joins every listed shape layer by layer: states, transitions, labels, notes and lines.
    void joinShapes();
    // Also takes the shape out of the list and the selection.
    void unRegisterShape(long id) override;

private:
    ViewServices* view;
    Factory factory;
    Collection selection; // declared before data: shapes leave it while data dies
    ModelData data{factory};
};
