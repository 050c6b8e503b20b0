#pragma once
// The view of one open chart. It owns the chart's model manager and answers the shapes'
// requests: conversions, repainting, the selection, and finding shapes under the mouse.

#include "model/model_properties.h"
#include "model/view_services.h"
#include "view/model_mgr.h"

#include <iosfwd>
#include <memory>

class CDC;

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
    // Escape: clears the selection.
    void normal();

    // --- printing ---
    // The largest print area of all shapes in normal pixels (units x 6).
    CSize getDrawingExtent() const;
    struct PrintLayout {
        CSize windowExt;   // logical size of one page (normal pixels)
        CSize viewportExt; // its size on the device
        int pagesAcross = 1;
        int pagesDown = 1;
    };
    // Maps normal pixels to a page of the given size (1/120 inch per normal pixel), or the
    // whole drawing onto one page when fitting to the page.
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

    std::unique_ptr<ModelMgr> modelMgr;
    ModelProperties properties{this};
    CWnd* window = nullptr;
    Font textFont;
    COLORREF textColor = 0;
    bool grid = true;
    bool printing = false;
    bool fitToPage = false;
};
