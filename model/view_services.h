#pragma once
// What a shape needs of the view that shows it: the zoom and scroll position with the
// conversions between model units and pixels, repainting, the selection and shape lookup.
// The editor's chart view (LayoutMgr) derives from it; in the headless library only the
// constants and conversions are live and the services answer "nothing".

#include "model/collection.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

class CWnd;
struct NODE;
class Shape;
class Transition;

class KELMORA_API ViewServices {
public:
    static constexpr short cMinZoom = 2;
    static constexpr short cMaxZoom = 12;       // largest zoom that still offers Zoom In
    static constexpr short cDefaultJumping = 6; // pixels per unit at normal zoom
    static constexpr long cDefaultXLimit = 1500;
    static constexpr long cDefaultYLimit = 1500;

    ViewServices() = default;
    ViewServices(const ViewServices&) = delete;
    ViewServices& operator=(const ViewServices&) = delete;
    virtual ~ViewServices() = default;

    // --- conversions ---
    long uFp(long pixels) const; // units from pixels at the current zoom, rounded
    long zpFu(long units) const { return units * zoom; }
    static long pFu(long units) { return units * cDefaultJumping; }
    CPoint uFp(CPoint p) const;
    CSize uFp(CSize s) const;
    CRect uFp(const CRect& r) const;
    CPoint zpFu(CPoint p) const;
    CSize zpFu(CSize s) const;
    CRect zpFu(const CRect& r) const;
    static CPoint pFu(CPoint p);
    static CSize pFu(CSize s);
    static CRect pFu(const CRect& r);
    // Model units <-> client units (scroll position taken off in whole units).
    CPoint getClientPos(CPoint units) const;
    CRect getClientPos(const CRect& units) const;
    CPoint getAbsolutePos(CPoint units) const;
    CRect getAbsolutePos(const CRect& units) const;
    // Pixels <-> pixels of the unscrolled chart.
    CRect getClientPointPos(const CRect& pixels) const;
    CPoint getAbsolutePointPos(CPoint pixels) const;
    // Where a drawn connection meets an anchor (model units), in client pixels: two pixels in
    // from the right and bottom sides, so the mark sits on the outline.
    CPoint anchorPixel(const CPoint& units, const NODE& node) const;

    short getZoom() const { return zoom; }
    void setZoom(short z) { zoom = z; }
    long getXLimit() const { return xLimit; }
    long getYLimit() const { return yLimit; }
    void setLimits(long x, long y) {
        xLimit = x;
        yLimit = y;
    }
    // In window pixels.
    CPoint getScrollPosition() const { return scroll; }
    void setScrollPosition(CPoint pixels) { scroll = pixels; }

    // --- services (headless: nothing) ---
    // The window the view draws in; null without one.
    virtual CWnd* getWindow() { return nullptr; }
    // Invalidates client-pixel rectangles, background erased.
    void repaint(const CRect& r);
    void repaint(const CRect& a, const CRect& b);
    virtual Collection& getCollection() { return selection; }
    virtual Shape* getShapeAtPoint(const CPoint& pixel) const;
    virtual Shape* getShapeNearPoint(const CPoint& pixel, int layer) const;
    virtual Shape* createNewMesg(CPoint& pixel, Transition* transition);
    virtual void sendToFront(Shape* shape);
    virtual void sendToBack(Shape* shape);
    // Tells the object browser that the shape's entry changed.
    virtual void refreshObjectEntry(Shape* shape);
    virtual bool isStateAnchorNodeHighlighted() const { return false; }
    virtual bool isUndoable() const { return false; }
    virtual bool isRedoable() const { return false; }
    virtual void pushUndoAction() {}
    // Chart text font and colour of this view.
    virtual Font getTextFont() const { return {}; }
    virtual COLORREF getTextColor() const { return 0; }
    // Whether drawing goes to a printer or an export (print pens, normal scale).
    virtual bool isPrinting() const { return false; }

private:
    short zoom = cDefaultJumping;
    long xLimit = cDefaultXLimit;
    long yLimit = cDefaultYLimit;
    CPoint scroll;
    Collection selection;
};
