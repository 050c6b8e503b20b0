#include "model/shape.h"

#include "model/archive.h"

#include "model/shape_registry.h"
#include "model/view_services.h"

Shape::Shape(long id, const std::string&, ViewServices* view, short z)
    : Object(id), mgr(view), zorder(z) {}

Shape::~Shape() {
    if (mgr)
        mgr->getCollection().remove(this);
    if (registry)
        registry->unRegisterShape(objId);
}

void Shape::serialise(OutArchive& ar) {
    ar.getStream() << marker::BEGIN << ' ' << getType() << ' ' << objId;
    ar.endl();
    ar.getStream() << objId << ' ' << zorder;
    ar.endl();
}

// The BEGIN line was consumed by whoever chose the class.
void Shape::serialise(InArchive& ar) { ar.readNumbers(objId, zorder); }

bool Shape::reBirth(std::map<long, long>& idMap) {
    objId = idMap[objId]; // an unmapped id becomes 0
    return true;
}

void Shape::onContextMenuAction(int) {}
void Shape::onLButtonDown(UINT, CPoint) {}
void Shape::onLButtonDoubleClick(UINT, CPoint) {}
bool Shape::onSetCursor(CWnd*, UINT, UINT) { return true; }
void Shape::init() {}
void Shape::initPartial() {}

void Shape::create(ShapeRegistry* reg, ViewServices* view) {
    registry = reg;
    reg->registerShape(this, objId);
    if (!view) {
        initPartial();
        return;
    }
    mgr = view;
    init();
}
