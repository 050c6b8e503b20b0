#include "view/model_mgr.h"

#include "model/shape.h"

#include <algorithm>
#include <iterator>

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
    // Searched from the end, where a dying chart takes its shapes from.
    auto& list = data.getShapeList();
    auto it = std::find(list.rbegin(), list.rend(), shape);
    if (it != list.rend())
        list.erase(std::next(it).base());
}
