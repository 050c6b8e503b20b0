#pragma once
// Owns the shapes of one chart in the editor: their registry, their list in file order and
// the selection, and carries out what the mouse does to them (selecting, rubber bands, new
// transitions from anchors, inserting, deleting, re-layering). The chart view owns one and
// replaces it wholesale on undo and redo.

#include "model/collection.h"
#include "model/connectable.h"
#include "model/factory.h"
#include "model/model_data.h"
#include "model/shape_registry.h"
#include "platform/gdi.h"
#include "view/hidden_window.h"

#include <memory>
#include <string_view>
#include <vector>

class EndableState;
class LayoutMgr;
class Mesg;
class Shape;
class StartableState;
class Transition;

class ModelMgr : public ShapeRegistry {
public:
    explicit ModelMgr(LayoutMgr* view);
    ~ModelMgr() override;
    ModelMgr(const ModelMgr&) = delete;
    ModelMgr& operator=(const ModelMgr&) = delete;

    std::vector<Shape*>& getShapeList() { return data.getShapeList(); }
    ModelData& getModelData() { return data; }
    Collection& getCollection() { return selection; }
    HiddenWindow& getHiddenWindow() { return hiddenWindow; }

    // Appends a new shape and joins it to this registry and the view.
    void addShape(Shape* shape);
    // Joins every listed shape layer by layer: states, transitions, labels, notes and lines.
    void joinShapes();
    // Also takes the shape out of the list and the selection.
    void unRegisterShape(long id) override;

    // --- the mouse (client pixels; flags MK_SHIFT, MK_CONTROL) ---
    // Selects, starts the shape's own drag, draws a new transition from an anchor or a
    // rubber band. True when the click was consumed (the chart may have changed).
    bool onLButtonDown(UINT flags, CPoint pixel);
    void onLButtonDblClk(UINT flags, CPoint pixel);
    // The topmost shape chooses the cursor; false when none did.
    bool onSetCursor(CPoint pixel);
    // Shows the menu of the shape at the pixel; false when there is none.
    bool onContextMenu(CPoint pixel);

    void selectAll();
    void clearSelection();
    // With confirm the user is asked first; an empty selection does nothing.
    void deleteSelection(bool confirm);
    // Each selected shape to the end (front) or the start (back) of its layer.
    void changeZorder(bool toFront);

    // A new shape of the tool's kind (the insert commands 32873-32878) at the pixel; null for
    // any other id.
    Shape* insertShape(unsigned tool, CPoint pixel);
    // A transition from the anchor fromNode of from to toNode of to, or to the free end
    // (client pixels) when to is null. Null when it would start and end on one anchor.
    Transition* createTransition(StartableState* from, EndableState* to, const NODE& fromNode,
                                 const NODE& toNode, const CPoint& freeEnd);
    Mesg* createNewMesg(CPoint pixel, Transition* transition);

    // --- the clipboard: shapes as model-file records under a private format ---
    static constexpr const char* cClipboardFormat = "TAVREN_FORMAT";
    static bool isClipboardAvailable();
    // The selected shapes' records, in selection order, with a terminating zero byte.
    void copy();
    // Copy, then delete the selection without asking.
    void cut();
    // The clipboard's shapes, with fresh ids, selected and placed one unit inside the visible
    // top-left corner. The text may come from anywhere: what cannot be read or joined is left
    // out, and when nothing remains the user is told and the chart stays as it was.
    void paste();
    // The paste of one clipboard text; false when nothing could be pasted.
    bool pasteText(std::string_view text);

private:
    CPoint unitsAt(CPoint pixel) const;
    template <class S> S* insert(S* shape);
    bool rubberBand(CPoint pixel);
    bool drawNewTransition(CPoint pixel);
    std::vector<std::unique_ptr<Shape>> readRecords(std::string_view text);

    LayoutMgr* view;
    Factory factory;
    Collection selection; // declared before data: shapes leave it while data dies
    ModelData data{factory};
    HiddenWindow hiddenWindow;
};
