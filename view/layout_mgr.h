#pragma once
// The view of one open chart. It owns the chart's model manager and answers the shapes'
// requests: conversions, repainting, the selection, and finding shapes under the mouse.

#include "model/anchor_marker.h"
#include "model/model_properties.h"
#include "model/view_services.h"
#include "view/model_mgr.h"
#include "view/object_browser.h"
#include "view/undo_history.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

class CDC;

// Where the chart's own context menu sends its commands and asks for their states: the
// editor's command routing. Without one the view answers itself.
class CommandRouter {
public:
    virtual void onCommand(unsigned id) = 0;
    virtual bool isCommandEnabled(unsigned id) = 0;

protected:
    ~CommandRouter() = default;
};

class LayoutMgr : public ViewServices {
public:
    LayoutMgr();
    ~LayoutMgr() override;

    ModelMgr* getModelMgr() { return modelMgr.get(); }
    ModelProperties& getModelProperties() { return properties; }

    // The whole chart as a model file: header, zoom, shapes, model properties.
    void write(std::ostream& out) { write(out, getZoom()); }
    // The same with the given zoom: documents compare charts written at one zoom, since
    // zooming is not a change to the chart.
    void write(std::ostream& out, short zoomInFile);
    // Reads a model file into this view's (empty) model manager and joins the shapes layer by
    // layer. Throws the failure message as a std::string; the shapes read so far are then
    // destroyed with the model manager.
    void read(std::istream& in);
    // The window the chart is drawn in (not owned); null until the editor gives one.
    void setWindow(CWnd* wnd) { window = wnd; }
    CWnd* getWindow() override { return window; }

    Collection& getCollection() override;
    // Topmost shape whose outline holds the client pixel: layers 50 down to 10, later list
    // positions first within a layer.
    Shape* getShapeAtPoint(const CPoint& pixel) const override;
    // Like getShapeAtPoint with the shapes' near test in model units; layer 0 tries all.
    Shape* getShapeNearPoint(const CPoint& pixel, int layer) const override;
    Shape* createNewMesg(CPoint& pixel, Transition* transition) override;
    bool isStateAnchorNodeHighlighted() const override { return anchorHighlighted; }
    // Every change to the chart ends here: the undo history takes a snapshot (nothing when
    // the chart is as before), and the listener (the editor's command states) hears of it.
    void pushUndoAction() override;
    bool isUndoable() const override { return history.canUndo(); }
    bool isRedoable() const override { return history.canRedo(); }
    // A new model manager read from the snapshot one step back or forward, zoom included.
    void undo();
    void redo();
    const UndoHistory& getHistory() const { return history; }
    void setChangeListener(std::function<void()> listener) { changed = std::move(listener); }
    // To the end (front) or the start (back) of the shape's layer in the list.
    void sendToFront(Shape* shape) override;
    void sendToBack(Shape* shape) override;
    Font getTextFont() const override { return textFont; }
    COLORREF getTextColor() const override { return textColor; }

    // --- display (the editor's chart window drives these) ---
    // Text font, text colour and grid from the user's defaults, as a view takes them when it
    // is first shown.
    void initialUpdate();
    // The screen: the grid when it is on, then every shape layer by layer (10, 20, 30, 40, 50),
    // each layer in list order, so later shapes are drawn on top.
    void draw(CDC& dc);
    // The same for a repaint of part of the window (client pixels): shapes wholly outside it
    // may be left out.
    void draw(CDC& dc, const CRect& area);
    // Printing and export: the shapes at normal scale, unscrolled, with their print pens.
    void drawForPrint(CDC& dc);
    bool isPrinting() const override { return printing; }
    bool hasGrid() const { return grid; }
    void setGrid(bool on) { grid = on; }

    // Zoom commands; each keeps the scroll offset in pixels, cut to whole units, and repaints.
    bool canZoomIn() const { return getZoom() <= cMaxZoom; }
    bool canZoomOut() const { return getZoom() > cMinZoom; }
    bool canZoomNormal() const { return getZoom() != cDefaultJumping; }
    void zoomIn();
    void zoomOut();
    void zoomNormal();
    // The scrollable chart and one page step, in pixels at the current zoom.
    CSize getTotalSize() const { return zpFu(CSize(getXLimit(), getYLimit())); }
    CSize getPageSize() const { return zpFu(CSize(cDefaultJumping, cDefaultJumping)); }
    // The view scrolls in whole units: each component truncated to a multiple of the zoom.
    CSize cutScroll(CSize d) const;
    // Escape and Normal: ends a tool drag and clears the selection.
    void normal();

    // --- the mouse (client pixels) and commands ---
    void onLButtonDown(UINT flags, CPoint pixel);
    void onLButtonDblClk(UINT flags, CPoint pixel);
    // Chooses the cursor; false when no shape did (the arrow is the window's to set).
    bool onSetCursor(CPoint pixel);
    // A shape's menu, or the chart's own where there is no shape.
    void onContextMenu(CPoint pixel);
    // Highlights the anchor under the mouse while no tool image is dragged.
    void onMouseMove(CPoint pixel);
    // The end of a new transition follows the mouse: snapped to an anchor of the state under
    // it (with the end marker there), else to the unit grid. view is the LayoutMgr.
    static void trackCallBack(CPoint& pixel, void* view);
    void hideMarkers();

    // The chart's commands; false for ids that are not the view's.
    bool onCommand(unsigned id);
    bool isCommandEnabled(unsigned id) const;
    // The drawing tool whose button shows pressed (0: none).
    unsigned getTool() const { return tool; }
    bool isToolDragging() const { return dragging; }
    // A tool image dropped at the pixel inserts the tool's shape; the drag ends either way.
    void dropTool(CPoint pixel);
    void endToolDrag();
    void setCommandRouter(CommandRouter* router) { commandRouter = router; }
    // The chart's own menu shown at menuAt; its insert commands place shapes at insertAt.
    void showChartMenu(CPoint menuAt, CPoint insertAt);

    // --- the object browser ---
    // Not owned; null for none. A new browser is filled at once.
    void setObjectBrowser(ObjectBrowser* browser);
    ObjectBrowser* getObjectBrowser() const { return objectBrowser; }
    void refreshObjectEntry(Shape* shape) override;
    // Empties the browser and lists the chart again: states first, so that every transition
    // finds its source's item.
    void rebuildObjectBrowser();
    // A shape chosen in the browser becomes the only selected one.
    void selectOnly(Shape* shape);
    // Adds the shape to the selection and shows its menu at the client pixel.
    void showShapeMenu(Shape* shape, CPoint pixel);
    // The chart's own context menu: what it offers, with the states of the moment.
    std::vector<MenuItem> chartMenu() const;

    // --- printing ---
    // The largest print area of all shapes in normal pixels (units x 6).
    CSize getDrawingExtent() const;
    struct PrintLayout {
        CSize windowExt;   // logical size of one page (normal pixels)
        CSize viewportExt; // its size on the device
        int pagesAcross = 1;
        int pagesDown = 1;
    };
    // Pages printed together hold at most this many normal pixels, as a raster picture.
    static constexpr long long cPrintPixelBudget = 50'000'000;
    // Maps normal pixels to a page of the given size (1/120 inch per normal pixel), or the
    // whole drawing onto one page when fitting to the page. A drawing larger than the budget
    // is mapped smaller, onto as many pages as the budget holds.
    PrintLayout preparePrint(CSize pageMillimetres, CSize pagePixels) const {
        return preparePrint(pageMillimetres, pagePixels, getDrawingExtent());
    }
    // The same for a drawing of the given extent (normal pixels): a printer that can measure
    // the ink gives that, so that a label's empty margin does not make a page of its own.
    PrintLayout preparePrint(CSize pageMillimetres, CSize pagePixels, CSize extent) const;
    // Device origin for page n (from 1, row by row): one page further right per column and
    // one page further down per row.
    static CPoint pageViewportOrigin(const PrintLayout& layout, int page);
    bool getFitToPage() const { return fitToPage; }
    void setFitToPage(bool on) { fitToPage = on; }

private:
    template <class Test> Shape* topmost(int layer, Test test) const;
    void drawShapes(CDC& dc, const CRect* area);
    bool mayShow(Shape* shape, const CRect& area);
    void setZoomKeepingScroll(short newZoom);

    void restore(const std::string& snapshot);
    void invalidateAll();

    std::unique_ptr<ModelMgr> modelMgr;
    UndoHistory history;
    unsigned tool = 0;
    bool dragging = false;
    bool anchorHighlighted = false;
    AnchorMarker startMarker;
    AnchorMarker endMarker;
    CPoint contextMenuPoint; // client pixels, where the chart's own menu was opened
    CommandRouter* commandRouter = nullptr;
    ObjectBrowser* objectBrowser = nullptr;
    std::function<void()> changed;
    ModelProperties properties{this};
    CWnd* window = nullptr;
    Font textFont;
    COLORREF textColor = 0;
    bool grid = true;
    bool printing = false;
    bool fitToPage = false;
};
