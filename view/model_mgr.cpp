#include "view/model_mgr.h"

#include "model/archive.h"
#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/res_strings.h"
#include "model/shape.h"
#include "model/trackers.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "platform/crect_tracker.h"
#include "platform/cwnd.h"
#include "platform/services.h"
#include "view/layout_mgr.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <sstream>

namespace {
// What the shapes' cursor hook is told: the client area, during a mouse move.
constexpr UINT kHitClient = 1;
constexpr UINT kMouseMoveMessage = 0x0200;

} // namespace

ModelMgr::ModelMgr(LayoutMgr* v) : view(v), hiddenWindow(v) {}

ModelMgr::~ModelMgr() {
    selection.clear();
}

void ModelMgr::addShape(Shape* shape) {
    data.getShapeList().push_back(shape);
    shape->create(this, view);
    if (ObjectBrowser* browser = view ? view->getObjectBrowser() : nullptr)
        browser->AddShape(shape);
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
    hiddenWindow.forget(shape);
    if (ObjectBrowser* browser = view ? view->getObjectBrowser() : nullptr)
        browser->RemoveShape(shape);
    // Searched from the end, where a dying chart takes its shapes from.
    auto& list = data.getShapeList();
    auto it = std::find(list.rbegin(), list.rend(), shape);
    if (it != list.rend())
        list.erase(std::next(it).base());
}

// --- the mouse ---

bool ModelMgr::onLButtonDown(UINT flags, CPoint pixel) {
    Shape* shape = view->getShapeAtPoint(pixel);
    if ((flags & MK_CONTROL) && !dynamic_cast<Transition*>(shape))
        return rubberBand(pixel);
    if (!shape) {
        if (rubberBand(pixel))
            return true;
        clearSelection();
        return false;
    }
    if (!selection.find(shape)) {
        if (drawNewTransition(pixel))
            return true;
        if (!(flags & MK_SHIFT))
            clearSelection();
    } else if (flags & MK_SHIFT) {
        selection.remove(shape);
        shape->execute(eDeselect, nullptr);
        return true;
    }
    shape->onLButtonDown(flags, pixel);
    return true;
}

void ModelMgr::onLButtonDblClk(UINT flags, CPoint pixel) {
    if (Shape* shape = view->getShapeAtPoint(pixel))
        shape->onLButtonDoubleClick(flags, pixel);
}

bool ModelMgr::onSetCursor(CPoint pixel) {
    Shape* shape = view->getShapeAtPoint(pixel);
    return shape && shape->onSetCursor(view->getWindow(), kHitClient, kMouseMoveMessage);
}

bool ModelMgr::onContextMenu(CPoint pixel) {
    Shape* shape = view->getShapeAtPoint(pixel);
    if (!shape)
        return false;
    selection.add(shape);
    selection.execute(eSelect, nullptr);
    hiddenWindow.ShowMenu(shape, pixel);
    return true;
}

bool ModelMgr::rubberBand(CPoint pixel) {
    CRectTracker band;
    if (!band.TrackRubberBand(view->getWindow(), pixel))
        return false;
    CRect units = view->getAbsolutePos(view->uFp(band.m_rect));
    units.NormalizeRect();
    for (Shape* shape : data.getShapeList())
        if (shape->isInRect(units))
            selection.add(shape);
    selection.execute(eSelect, nullptr);
    return true;
}

// A press on a highlighted anchor draws a transition to wherever the mouse is released.
bool ModelMgr::drawNewTransition(CPoint pixel) {
    if (!view->isStateAnchorNodeHighlighted())
        return false;
    auto* from = dynamic_cast<StartableState*>(view->getShapeNearPoint(pixel, cStateLayer));
    NODE fromNode;
    if (!from || !from->isPointInNode(ViewServices::pFu(unitsAt(pixel)), fromNode))
        return false;
    PointTracker tracker(view, &LayoutMgr::trackCallBack, true);
    tracker.setStart(pixel);
    const bool released = tracker.track(view->getWindow());
    view->hideMarkers();
    if (!released)
        return true; // cancelled: the click is spent, nothing is made
    const CPoint end = tracker.getPoint();
    Shape* near = view->getShapeNearPoint(end, cStateLayer);
    auto* to = dynamic_cast<EndableState*>(near);
    NODE toNode;
    if (to && !to->isPointInNode(ViewServices::pFu(unitsAt(end)), toNode))
        to = nullptr; // on the state but off its anchors: a free end there
    else if (!to && near == dynamic_cast<Shape*>(from))
        return false;
    createTransition(from, to, fromNode, toNode, end);
    return true;
}

Transition* ModelMgr::createTransition(StartableState* from, EndableState* to, const NODE& fromNode,
                                       const NODE& toNode, const CPoint& freeEnd) {
    if (!from)
        return nullptr;
    if (to && dynamic_cast<Shape*>(to) == dynamic_cast<Shape*>(from) && toNode == fromNode)
        return nullptr;
    const CPoint a = from->getAnchorPoint(fromNode);
    auto* t = insert(new Transition(getNewId(), view, {a.x, a.y - 4}, {a.x, a.y + 4}));
    t->setStartState(from);
    t->setHeadNode(fromNode);
    from->attachTransitionHead(t);
    t->reCalculate(from);
    if (to) {
        t->setEndState(to);
        t->setTailNode(toNode);
        to->attachTransitionTail(t);
        t->reCalculate(to);
    } else {
        t->setTailPoint(freeEnd);
    }
    // Listed when it had no ends yet: now it moves under its source.
    view->refreshObjectEntry(t);
    t->invalidate();
    return t;
}

// --- commands ---

void ModelMgr::selectAll() {
    for (Shape* shape : data.getShapeList())
        selection.add(shape);
    selection.execute(eSelect, nullptr);
}

void ModelMgr::clearSelection() {
    selection.execute(eDeselect, nullptr);
    selection.clear();
}

void ModelMgr::deleteSelection(bool confirm) {
    if (selection.isEmpty())
        return;
    if (confirm && platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE_SELECTION),
                                                 MsgButtons::YesNo, MsgIcon::Stop,
                                                 MsgResult::No) != MsgResult::Yes)
        return;
    // A shape takes what belongs to it along (a transition its label), and each leaves the
    // selection as it dies.
    while (!selection.isEmpty()) {
        auto* shape = dynamic_cast<Shape*>(selection.front());
        if (!shape) {
            selection.remove(selection.front());
            continue;
        }
        shape->invalidate();
        delete shape;
    }
    selection.clear();
}

void ModelMgr::changeZorder(bool toFront) {
    // The selection in list order, so that shapes keep their order among themselves.
    std::vector<Shape*> chosen;
    for (Shape* shape : data.getShapeList())
        if (selection.find(shape))
            chosen.push_back(shape);
    if (!toFront)
        std::reverse(chosen.begin(), chosen.end());
    for (Shape* shape : chosen) {
        if (toFront)
            view->sendToFront(shape);
        else
            view->sendToBack(shape);
    }
}

CPoint ModelMgr::unitsAt(CPoint pixel) const {
    return view->uFp(view->getAbsolutePointPos(pixel));
}

template <class S> S* ModelMgr::insert(S* shape) {
    addShape(shape);
    return shape;
}

Shape* ModelMgr::insertShape(unsigned tool, CPoint pixel) {
    const CPoint u = unitsAt(pixel);
    auto placed = [&](CRect r) {
        r.OffsetRect(toSize(u));
        return r;
    };
    Shape* shape = nullptr;
    switch (tool) {
    case cmd::InsertState:
        shape = insert(new GenericState(getNewId(), view, placed(GenericState::getMinimumRect()),
                                        GenericState::getDefaultName()));
        break;
    case cmd::InsertInitialState:
        shape = insert(new InitialState(getNewId(), view, placed(InitialState::getMinimumRect())));
        break;
    case cmd::InsertFinalState:
        shape = insert(new FinalState(getNewId(), view, placed(FinalState::getMinimumRect())));
        break;
    case cmd::InsertNote:
        shape = insert(new Note(getNewId(), view, placed(Note::getMinimumRect())));
        break;
    case cmd::NewTransition:
        shape = insert(new Transition(getNewId(), view, {u.x, u.y - 4}, {u.x, u.y + 4}));
        break;
    case cmd::InsertLine:
        shape = insert(new Line(getNewId(), view, {u.x - 8, u.y + 8}, {u.x + 8, u.y - 8}));
        break;
    default:
        return nullptr;
    }
    shape->invalidate();
    return shape;
}

Mesg* ModelMgr::createNewMesg(CPoint pixel, Transition* transition) {
    CRect r = Mesg::getMinimumRect();
    r.OffsetRect(toSize(unitsAt(pixel)));
    return insert(new Mesg(getNewId(), view, r, transition));
}

// --- the clipboard ---

bool ModelMgr::isClipboardAvailable() {
    return platform::clipboard().getData(cClipboardFormat).has_value();
}

void ModelMgr::copy() {
    if (selection.isEmpty())
        return;
    std::ostringstream text;
    OutArchive ar(text);
    for (Collectable* item : selection.items())
        if (auto* shape = dynamic_cast<Shape*>(item))
            shape->serialise(ar);
    std::string payload = text.str();
    payload.push_back('\0');
    platform::clipboard().setData(cClipboardFormat, payload);
}

void ModelMgr::cut() {
    copy();
    deleteSelection(false);
}

void ModelMgr::paste() {
    const std::optional<std::string> text = platform::clipboard().getData(cClipboardFormat);
    if (!text) {
        platform::messageBoxes().show(LoadResString(IDS_CLIPBOARD_ERROR), MsgButtons::Ok,
                                      MsgIcon::Stop, MsgResult::Ok);
        return;
    }
    if (text->empty())
        return;
    if (!pasteText(*text))
        platform::messageBoxes().show(LoadResString(IDS_PASTE_MISSING_DEPENDENTS), MsgButtons::Ok,
                                      MsgIcon::Stop, MsgResult::Ok);
}

// Records up to the text's zero byte; reading stops at an unknown type or a damaged record,
// and what was read whole before it stays.
std::vector<std::unique_ptr<Shape>> ModelMgr::readRecords(std::string_view text) {
    std::vector<std::unique_ptr<Shape>> read;
    std::istringstream in(std::string(text.substr(0, text.find('\0'))));
    InArchive ar(in);
    ar.setVersion(InArchive::cMajor, InArchive::cMinor);
    std::string line;
    while (ar.readLine(line)) {
        std::istringstream words(line);
        std::string first, type;
        words >> first >> type;
        if (first != "BEGIN")
            continue;
        std::unique_ptr<Shape> shape(factory.createShape(type));
        if (!shape)
            break;
        try {
            shape->serialise(ar);
        } catch (const std::string&) {
            break;
        }
        read.push_back(std::move(shape));
    }
    return read;
}

bool ModelMgr::pasteText(std::string_view text) {
    std::vector<std::unique_ptr<Shape>> pasted = readRecords(text);
    // Fresh ids for all; a second record with an id already seen is not the same shape.
    std::map<long, long> ids;
    std::set<long> seen;
    std::erase_if(pasted, [&](const std::unique_ptr<Shape>& s) {
        return !seen.insert(s->getObjId()).second;
    });
    for (const auto& s : pasted)
        ids[s->getObjId()] = getNewId();
    std::vector<Shape*> joined;
    for (auto& s : pasted) {
        const long old = s->getObjId();
        if (s->reBirth(ids)) {
            joined.push_back(s.release());
        } else {
            ids.erase(old);
        }
    }
    if (joined.empty())
        return false;

    auto& list = data.getShapeList();
    list.insert(list.end(), joined.begin(), joined.end());
    ObjectBrowser* browser = view ? view->getObjectBrowser() : nullptr;
    for (short layer : {cStateLayer, cTransitionLayer, cMesgLayer, cNoteLayer, short{30}})
        for (Shape* s : joined)
            if (s->getZorder() == layer) {
                s->create(this, view);
                if (browser)
                    browser->AddShape(s);
            }
    clearSelection();
    CPoint corner(std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max());
    for (Shape* s : joined) {
        selection.add(s);
        const CRect box = s->getBoundingRect();
        corner = CPoint(std::min(corner.x, box.left), std::min(corner.y, box.top));
    }
    selection.execute(eSelect, nullptr);
    CSize offset = view->getAbsolutePos(CPoint(1, 1)) - corner;
    selection.execute(eMove, &offset);
    return true;
}
