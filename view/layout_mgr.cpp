#include "view/layout_mgr.h"

#include "model/archive.h"
#include "model/complex_shape.h"
#include "model/default_settings.h"
#include "model/drawing_resources.h"
#include "model/mesg.h"
#include "model/rect_shape.h"
#include "model/shape.h"
#include "model/state.h"
#include "model/util.h"
#include "platform/cdc.h"
#include "platform/command_ids.h"
#include "platform/cwnd.h"
#include "platform/services.h"
#include "view/chart_search.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>
#include <tuple>

LayoutMgr::LayoutMgr() : modelMgr(std::make_unique<ModelMgr>(this)) {}

// reset() clears the pointer before the shapes die, so their last calls to getCollection
// reach the fallback below instead of a half-destroyed manager.
LayoutMgr::~LayoutMgr() {
    objectBrowser = nullptr;
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
    return modelMgr->createNewMesg(pixel, transition);
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

void LayoutMgr::write(std::ostream& out, short zoomInFile) {
    OutArchive ar(out);
    ar.writeHeader();
    out << zoomInFile;
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
    rebuildObjectBrowser();
}

void LayoutMgr::initialUpdate() {
    const CDefaultSettingDlg& defaults = CDefaultSettingDlg::Instance();
    textFont = Font{defaults.fontName, defaults.fontSize};
    textColor = defaults.fontColor;
    grid = defaults.showGrid;
    pushUndoAction(); // the chart as opened: what the first Undo comes back to
}

void LayoutMgr::drawShapes(CDC& dc, const CRect* area) {
    if (!modelMgr)
        return;
    const auto& shapes = modelMgr->getShapeList();
    for (short z : {cStateLayer, cMesgLayer, short{30}, cTransitionLayer, cNoteLayer})
        for (Shape* shape : shapes)
            if (shape->getZorder() == z && (!area || mayShow(shape, *area)))
                shape->draw(&dc);
}

// Rectangle shapes draw inside their rectangle, anchors a few pixels around it; transitions
// and lines know the pixels their route reaches (their hit regions catch up when asked). Those
// outside the repainted area are skipped. A selected shape may mark places away from itself
// (a label's attach point) and is drawn too.
bool LayoutMgr::mayShow(Shape* shape, const CRect& area) {
    if (getCollection().find(shape))
        return true;
    CRect pixels;
    if (const auto* box = dynamic_cast<const RectShape*>(shape)) {
        pixels = zpFu(getClientPos(box->getRect()));
        pixels.InflateRect(8, 8);
    } else if (const auto* outline = dynamic_cast<const ComplexShape*>(shape)) {
        pixels = outline->getDrawnBounds();
        if (pixels.IsRectEmpty())
            return true;
    } else {
        return true;
    }
    return pixels.IntersectRect(pixels, area);
}

void LayoutMgr::draw(CDC& dc) {
    const CPoint at = getScrollPosition();
    const CSize total = getTotalSize();
    draw(dc, CRect(-at.x, -at.y, total.cx - at.x, total.cy - at.y));
}

void LayoutMgr::draw(CDC& dc, const CRect& area) {
    if (grid) {
        // Lines every 3 units across the whole chart, in pixels at the current zoom, shifted
        // by the scroll position like everything else in the window. Only lines crossing the
        // area are drawn, each at its full length so a dotted line keeps its phase.
        const Pen old = dc.SelectPen(DrawingResources::instance().gridPen);
        const CSize total = getTotalSize();
        const CPoint at = getScrollPosition();
        const long step = zpFu(3);
        for (long x = step; x < total.cx; x += step) {
            if (x - at.x < area.left || x - at.x > area.right)
                continue;
            dc.MoveTo(CPoint(x - at.x, -at.y));
            dc.LineTo(CPoint(x - at.x, total.cy - at.y));
        }
        for (long y = step; y < total.cy; y += step) {
            if (y - at.y < area.top || y - at.y > area.bottom)
                continue;
            dc.MoveTo(CPoint(-at.x, y - at.y));
            dc.LineTo(CPoint(total.cx - at.x, y - at.y));
        }
        dc.SelectPen(old);
    }
    drawShapes(dc, &area);
}

void LayoutMgr::drawForPrint(CDC& dc) {
    // Shapes convert through the view, so the print scale is the view's, put back afterwards
    // even when a shape throws.
    struct Restore {
        LayoutMgr& view;
        short zoomBefore;
        CPoint scrollBefore;
        ~Restore() {
            view.printing = false;
            view.setZoom(zoomBefore);
            view.setScrollPosition(scrollBefore);
        }
    } restore{*this, getZoom(), getScrollPosition()};
    setZoom(cDefaultJumping);
    setScrollPosition(CPoint());
    printing = true;
    drawShapes(dc, nullptr);
}

void LayoutMgr::setZoomKeepingScroll(short newZoom) {
    setZoom(newZoom);
    setScrollPosition(zpFu(uFp(getScrollPosition())));
    invalidateAll();
}

void LayoutMgr::zoomIn() {
    if (canZoomIn())
        setZoomKeepingScroll(static_cast<short>(getZoom() + 1));
}

void LayoutMgr::zoomOut() {
    if (canZoomOut())
        setZoomKeepingScroll(static_cast<short>(getZoom() - 1));
}

void LayoutMgr::zoomNormal() {
    setZoomKeepingScroll(cDefaultJumping);
}

CSize LayoutMgr::cutScroll(CSize d) const {
    const LONG z = getZoom();
    return CSize(d.cx / z * z, d.cy / z * z);
}

void LayoutMgr::normal() {
    endToolDrag();
    modelMgr->clearSelection();
}

void LayoutMgr::pushUndoAction() {
    std::ostringstream snapshot;
    write(snapshot);
    history.push(snapshot.str());
    if (changed)
        changed();
}

void LayoutMgr::undo() {
    if (history.canUndo())
        restore(history.undo());
}

void LayoutMgr::redo() {
    if (history.canRedo())
        restore(history.redo());
}

// Nothing may keep a pointer into the old model manager: its shapes die with it.
void LayoutMgr::restore(const std::string& snapshot) {
    endToolDrag();
    hideMarkers();
    // Emptied first, so the dying shapes find no items to update one by one.
    if (objectBrowser)
        objectBrowser->Clear();
    modelMgr.reset();
    modelMgr = std::make_unique<ModelMgr>(this);
    std::istringstream in(snapshot);
    read(in);
    invalidateAll();
    if (changed)
        changed();
}

void LayoutMgr::setObjectBrowser(ObjectBrowser* browser) {
    objectBrowser = browser;
    rebuildObjectBrowser();
}

void LayoutMgr::refreshObjectEntry(Shape* shape) {
    if (objectBrowser)
        objectBrowser->RefreshShape(shape);
}

void LayoutMgr::rebuildObjectBrowser() {
    if (!objectBrowser || !modelMgr)
        return;
    objectBrowser->Clear();
    objectBrowser->Attach(this);
    const std::vector<Shape*>& shapes = modelMgr->getShapeList();
    for (short layer : {cStateLayer, cTransitionLayer})
        for (Shape* shape : shapes)
            if (shape->getZorder() == layer)
                objectBrowser->AddShape(shape);
}

void LayoutMgr::selectOnly(Shape* shape) {
    modelMgr->clearSelection();
    Collection& chosen = modelMgr->getCollection();
    chosen.add(shape);
    chosen.execute(eSelect, nullptr);
}

void LayoutMgr::showShapeMenu(Shape* shape, CPoint pixel) {
    Collection& chosen = modelMgr->getCollection();
    chosen.add(shape);
    chosen.execute(eSelect, nullptr);
    modelMgr->getHiddenWindow().ShowMenu(shape, pixel);
}

void LayoutMgr::invalidateAll() {
    if (CWnd* wnd = getWindow()) {
        const CPoint at = getScrollPosition();
        const CSize total = getTotalSize();
        wnd->Invalidate(CRect(-at.x, -at.y, total.cx - at.x, total.cy - at.y));
    }
}

// --- the mouse ---

void LayoutMgr::onLButtonDown(UINT flags, CPoint pixel) {
    if (modelMgr->onLButtonDown(flags, pixel))
        pushUndoAction();
}

// The shapes' double-click handlers edit texts.
void LayoutMgr::onLButtonDblClk(UINT flags, CPoint pixel) {
    modelMgr->onLButtonDblClk(flags, pixel);
    pushUndoAction();
}

bool LayoutMgr::onSetCursor(CPoint pixel) {
    return modelMgr->onSetCursor(pixel);
}

void LayoutMgr::onContextMenu(CPoint pixel) {
    if (modelMgr->onContextMenu(pixel))
        return;
    showChartMenu(pixel, pixel);
}

void LayoutMgr::showChartMenu(CPoint menuAt, CPoint insertAt) {
    CWnd* wnd = getWindow();
    if (!wnd)
        return;
    contextMenuPoint = insertAt;
    const unsigned chosen = wnd->TrackPopupMenu(chartMenu(), menuAt);
    if (chosen == 0)
        return;
    if (commandRouter)
        commandRouter->onCommand(chosen);
    else
        onCommand(chosen);
    pushUndoAction();
}

std::vector<MenuItem> LayoutMgr::chartMenu() const {
    auto item = [this](unsigned id, const char* text) {
        return MenuItem{id, text,
                        commandRouter ? commandRouter->isCommandEnabled(id) : isCommandEnabled(id)};
    };
    return {item(cmd::InsertStateAt, "Insert &State"),
            item(cmd::InsertInitialStateAt, "Insert &Initial State"),
            item(cmd::InsertFinalStateAt, "Insert &Final State"),
            item(cmd::InsertNoteAt, "Insert &Note"),
            item(cmd::InsertLineAt, "Insert &Line"),
            MenuItem{},
            item(cmd::SelectAll, "Select &All"),
            MenuItem{},
            item(cmd::Refresh, "&Refresh"),
            MenuItem{},
            item(cmd::ModelProperties, "&Model Properties..."),
            item(cmd::CodeGenProperties, "CodeGen &Properties")};
}

void LayoutMgr::onMouseMove(CPoint pixel) {
    if (dragging)
        return;
    auto* state = dynamic_cast<StartableState*>(getShapeNearPoint(pixel, cStateLayer));
    NODE node;
    if (state && state->isPointInNode(pFu(getAbsolutePos(uFp(pixel))), node)) {
        startMarker.show(this, anchorPixel(state->getAnchorPoint(node), node));
        anchorHighlighted = true;
        return;
    }
    hideMarkers();
    anchorHighlighted = false;
}

void LayoutMgr::trackCallBack(CPoint& pixel, void* context) {
    auto* view = static_cast<LayoutMgr*>(context);
    auto* state = dynamic_cast<EndableState*>(view->getShapeNearPoint(pixel, cStateLayer));
    NODE node;
    if (state && state->isPointInNode(pFu(view->getAbsolutePos(view->uFp(pixel))), node)) {
        pixel = view->anchorPixel(state->getAnchorPoint(node), node);
        view->endMarker.show(view, pixel);
        return;
    }
    pixel = view->zpFu(view->uFp(pixel));
    view->endMarker.hide(view);
}

void LayoutMgr::hideMarkers() {
    startMarker.hide(this);
    endMarker.hide(this);
    anchorHighlighted = false;
}

// --- commands ---

namespace {
bool isTool(unsigned id) {
    return id >= cmd::InsertState && id <= cmd::InsertLine;
}

// The tool that the chart menu's insert commands stand for.
unsigned toolAt(unsigned id) {
    switch (id) {
    case cmd::InsertStateAt:
        return cmd::InsertState;
    case cmd::InsertInitialStateAt:
        return cmd::InsertInitialState;
    case cmd::InsertFinalStateAt:
        return cmd::InsertFinalState;
    case cmd::InsertTransitionAt:
        return cmd::NewTransition;
    case cmd::InsertNoteAt:
        return cmd::InsertNote;
    case cmd::InsertLineAt:
        return cmd::InsertLine;
    default:
        return 0;
    }
}
} // namespace

bool LayoutMgr::onCommand(unsigned id) {
    if (isTool(id)) {
        endToolDrag();
        tool = id;
        // The transition tool waits for the toolbar to see the mouse move first.
        dragging = id != cmd::NewTransition;
        hideMarkers();
        return true;
    }
    if (const unsigned at = toolAt(id)) {
        modelMgr->insertShape(at, contextMenuPoint);
        pushUndoAction();
        return true;
    }
    switch (id) {
    case cmd::StartToolDrag:
        dragging = isTool(tool);
        if (dragging)
            hideMarkers();
        return true;
    case cmd::Normal:
        normal();
        return true;
    case cmd::EditDelete:
        modelMgr->deleteSelection(true);
        pushUndoAction();
        return true;
    case cmd::BringToFront:
    case cmd::SendToBack:
        modelMgr->changeZorder(id == cmd::BringToFront);
        pushUndoAction();
        return true;
    case cmd::SelectAll:
        modelMgr->selectAll();
        return true;
    case cmd::EditUndo:
        undo();
        return true;
    case cmd::EditRedo:
        redo();
        return true;
    case cmd::EditCopy:
        modelMgr->copy();
        return true;
    case cmd::EditCut:
        modelMgr->cut();
        pushUndoAction();
        return true;
    case cmd::EditPaste:
        modelMgr->paste();
        pushUndoAction();
        return true;
    case cmd::ModelProperties:
    case cmd::Properties:
        if (properties.editModelProp()) {
            if (objectBrowser)
                objectBrowser->SetModelName(properties.getName());
            invalidateAll();
            pushUndoAction();
        }
        return true;
    case cmd::CodeGenProperties:
        if (properties.editCodeGenProp())
            pushUndoAction();
        return true;
    case cmd::FindReplace: {
        ChartSearch search(*modelMgr);
        platform::dialogs().findReplace(search);
        // Replacements show only now, and all of them are one step to undo.
        invalidateAll();
        pushUndoAction();
        return true;
    }
    default:
        return false;
    }
}

bool LayoutMgr::isCommandEnabled(unsigned id) const {
    switch (id) {
    case cmd::EditDelete:
    case cmd::BringToFront:
    case cmd::SendToBack:
    case cmd::EditCopy:
    case cmd::EditCut:
        return !modelMgr->getCollection().isEmpty();
    case cmd::EditUndo:
        return isUndoable();
    case cmd::EditRedo:
        return isRedoable();
    case cmd::EditPaste:
        return ModelMgr::isClipboardAvailable();
    case cmd::SelectAll:
        return !modelMgr->getShapeList().empty();
    default:
        return true;
    }
}

void LayoutMgr::dropTool(CPoint pixel) {
    if (dragging && modelMgr->insertShape(tool, pixel))
        pushUndoAction();
    endToolDrag();
}

void LayoutMgr::endToolDrag() {
    dragging = false;
    tool = 0;
}

CSize LayoutMgr::getDrawingExtent() const {
    CSize extent;
    if (!modelMgr)
        return extent;
    for (Shape* shape : modelMgr->getShapeList()) {
        long x = 0;
        long y = 0;
        shape->getMaxPrintArea(x, y);
        extent.cx = std::max<LONG>(extent.cx, pFu(x));
        extent.cy = std::max<LONG>(extent.cy, pFu(y));
    }
    return extent;
}

LayoutMgr::PrintLayout LayoutMgr::preparePrint(CSize pageMillimetres, CSize pagePixels,
                                               CSize extent) const {
    PrintLayout layout;
    layout.windowExt = CSize(pageMillimetres.cx * 1200 / 254, pageMillimetres.cy * 1200 / 254);
    layout.viewportExt = pagePixels;
    if (layout.windowExt.cx <= 0 || layout.windowExt.cy <= 0 || extent.cx <= 0 || extent.cy <= 0)
        return layout;
    if (fitToPage) {
        // One scale for both axes, so the chart keeps its proportions on the page.
        layout.windowExt = extent;
        const double scale = std::min(static_cast<double>(pagePixels.cx) / extent.cx,
                                      static_cast<double>(pagePixels.cy) / extent.cy);
        layout.viewportExt = CSize(std::max<LONG>(1, static_cast<LONG>(extent.cx * scale)),
                                   std::max<LONG>(1, static_cast<LONG>(extent.cy * scale)));
        return layout;
    }
    const auto pagesFor = [&extent](LONG width, LONG height) {
        return std::pair<long long, long long>((extent.cx + width - 1LL) / width,
                                               (extent.cy + height - 1LL) / height);
    };
    // Every page draws the whole chart: past the pixel budget, in normal pixels of pages, the
    // chart is printed smaller on as many pages as the budget holds.
    const CSize page = layout.windowExt;
    const long long allowed =
        std::max(1LL, cPrintPixelBudget / (static_cast<long long>(page.cx) * page.cy));
    auto [across, down] = pagesFor(page.cx, page.cy);
    for (double scale = 1.0; across * down > allowed;) {
        scale *= std::max(1.01, std::sqrt(static_cast<double>(across * down) / allowed));
        layout.windowExt = CSize(static_cast<LONG>(std::ceil(page.cx * scale)),
                                 static_cast<LONG>(std::ceil(page.cy * scale)));
        std::tie(across, down) = pagesFor(layout.windowExt.cx, layout.windowExt.cy);
    }
    layout.pagesAcross = static_cast<int>(across);
    layout.pagesDown = static_cast<int>(down);
    return layout;
}

CPoint LayoutMgr::pageViewportOrigin(const PrintLayout& layout, int page) {
    const int index = std::max(page, 1) - 1;
    const int across = std::max(layout.pagesAcross, 1);
    const LONG column = index % across;
    const LONG row = index / across;
    return CPoint(-column * layout.viewportExt.cx, -row * layout.viewportExt.cy);
}
