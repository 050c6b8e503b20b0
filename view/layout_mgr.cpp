#include "view/layout_mgr.h"

#include "model/mesg.h"
#include "model/archive.h"
#include "model/shape.h"
#include "model/util.h"

#include <algorithm>
#include <istream>
#include <ostream>

LayoutMgr::LayoutMgr() : modelMgr(std::make_unique<ModelMgr>(this)) {}

// reset() clears the pointer before the shapes die, so their last calls to getCollection
// reach the fallback below instead of a half-destroyed manager.
LayoutMgr::~LayoutMgr() {
    modelMgr.reset();
}

Collection& LayoutMgr::getCollection() {
    return modelMgr ? modelMgr->getCollection() : ViewServices::getCollection();
}

template <class Test> Shape* LayoutMgr::topmost(int layer, Test test) const {
    if (!modelMgr)
        return nullptr;
    const auto& shapes = modelMgr->getShapeList();
    for (short z : {cNoteLayer, cTransitionLayer, short{30}, cMesgLayer, cStateLayer}) {
        if (layer != 0 && z != layer)
            continue;
        for (auto it = shapes.rbegin(); it != shapes.rend(); ++it)
            if ((*it)->getZorder() == z && test(*it))
                return *it;
    }
    return nullptr;
}

Shape* LayoutMgr::getShapeAtPoint(const CPoint& pixel) const {
    return topmost(0, [&](Shape* s) { return s->isClientPt(pixel); });
}

Shape* LayoutMgr::getShapeNearPoint(const CPoint& pixel, int layer) const {
    const CPoint units = getAbsolutePos(uFp(pixel));
    return topmost(layer, [&](Shape* s) { return s->isNearPt(units); });
}

Shape* LayoutMgr::createNewMesg(CPoint& pixel, Transition* transition) {
    CRect r = Mesg::getMinimumRect();
    r.OffsetRect(uFp(getAbsolutePointPos(pixel)));
    auto* mesg = new Mesg(modelMgr->getNewId(), this, r, transition);
    modelMgr->addShape(mesg);
    return mesg;
}

void LayoutMgr::sendToFront(Shape* shape) {
    auto& list = modelMgr->getShapeList();
    auto it = std::find(list.begin(), list.end(), shape);
    if (it == list.end())
        return;
    list.erase(it);
    auto last = std::find_if(list.rbegin(), list.rend(),
                             [&](Shape* s) { return s->getZorder() == shape->getZorder(); });
    list.insert(last.base(), shape);
    shape->invalidate();
}

void LayoutMgr::sendToBack(Shape* shape) {
    auto& list = modelMgr->getShapeList();
    auto it = std::find(list.begin(), list.end(), shape);
    if (it == list.end())
        return;
    list.erase(it);
    auto first = std::find_if(list.begin(), list.end(),
                              [&](Shape* s) { return s->getZorder() == shape->getZorder(); });
    list.insert(first, shape);
    shape->invalidate();
}

void LayoutMgr::write(std::ostream& out) {
    OutArchive ar(out);
    ar.writeHeader();
    out << getZoom();
    ar.endl();
    ar << modelMgr->getModelData() << properties;
}

void LayoutMgr::read(std::istream& in) {
    InArchive ar(in);
    ar.checkHeader();
    short fileZoom = cDefaultJumping;
    if (!(in >> fileZoom)) {
        fileZoom = cDefaultJumping;
        in.clear(in.rdstate() & ~std::ios::failbit);
    }
    Util::readRest(in);
    // A damaged zoom must not reach the conversions (zero would divide by zero).
    setZoom(std::clamp<short>(fileZoom, cMinZoom, cMaxZoom + 1));
    if (!ModelData::seekData(ar))
        throw std::string("Invalid File");
    ar >> modelMgr->getModelData();
    ar >> properties;
    modelMgr->joinShapes();
}
