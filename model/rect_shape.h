#pragma once
// A shape with a rectangle (model units, normalised) and, in the editor, a resize tracker.

#include "model/shape.h"
#include "platform/kelmora_export.h"

#include <memory>

class RectTracker;

class KELMORA_API RectShape : public Shape {
public:
    RectShape();
    RectShape(long id, const std::string& type, ViewServices* mgr, const CRect& r, short zorder);
    RectShape(const RectShape& other);
    RectShape& operator=(const RectShape& other);
    ~RectShape() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    void getMaxPrintArea(long& x, long& y) override;
    bool isClientPt(const CPoint& pt) const override;
    bool isNearPt(const CPoint& pt) const override;
    bool isInRect(const CRect& r) const override;
    void invalidate() override;
    CRect getBoundingRect() override;
    void onLButtonDown(UINT flags, CPoint point) override;
    bool onSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void init() override;
    void execute(EAction action, void* data) override;

    // The tracker's adjust hook: trackRect in client pixels, adjusted in place.
    virtual void adjustRect(int handle, RECT* trackRect);
    // Bit per tracker handle that may be used; 255 is all eight.
    virtual UINT getHandleMask() const;
    virtual void onRectChange(const CRect& oldRect, bool resized);
    virtual void showTracker(bool show);

    const CRect& getRect() const { return rect; }
    // Moves or changes the rectangle; keeps it right of and below unit 1.
    void setRect(const CRect& r);
    // The rectangle with right and bottom each one larger.
    static CRect expandRect(const CRect& r);
    RectTracker* getTracker() const { return tracker.get(); }

protected:
    // The result of dragging a resize handle: like setRect, without the shift to unit 1.
    void resizeRect(const CRect& r);
    // Keeps a tracked rectangle at least 4 units and inside the chart, snapped to units.
    void adjustRect(RECT* trackRect);
    // The rectangle in client pixels.
    CRect getClientRect() const;

    CRect rect;
    std::unique_ptr<RectTracker> tracker; // editor only

private:
    void changeRect(const CRect& r, bool resized);
    // The outline other selected shapes' drags show for this one (client pixels, XOR).
    void drawGhost();

    CRect ghost;
    bool ghostShown = false;
};
