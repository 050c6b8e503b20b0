#include "view/model_mgr.h"

#include "model/shape.h"

#include <algorithm>

ModelMgr::ModelMgr(ViewServices* v) : view(v) {}

ModelMgr::~ModelMgr() { selection.clear(); }

void ModelMgr::addShape(Shape* shape) {
    data.getShapeList().push_back(shape);
    shape->create(this, view);
}

void ModelMgr::joinShapes() {
    const std::vector<Shape*> shapes = data.getShapeList();
    for (short layer : {cStateLayer, cTransitionLayer, cMesgLayer, cNoteLayer, short{30}})
        for (Shape* s : shapes)
            if (s->getZorder() == layer)
                s->create(this, view);
}

void ModelMgr::unRegisterShape(long id) {
    Shape* shape = getShape(id);
    ShapeRegistry::unRegisterShape(id);
    if (!shape)
        return;
    selection.remove(shape);
    auto& list = data.getShapeList();
    list.erase(std::remove(list.begin(), list.end(), shape), list.end());
}
