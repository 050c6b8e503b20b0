#pragma once
// A shape whose outline is a region (client pixels): transitions and note lines.

#include "model/crgn.h"
#include "model/shape.h"
#include "platform/kelmora_export.h"

#include <memory>

class KELMORA_API ComplexShape : public Shape {
public:
    ComplexShape() = default;
    ComplexShape(long id, const std::string& type, ViewServices* view, short z)
        : Shape(id, type, view, z) {}
    // Copies get no region; they build their own.
    ComplexShape(const ComplexShape& other) : Shape(other) {}
    ComplexShape& operator=(const ComplexShape& other);

    void getMaxPrintArea(long& x, long& y) override;
    bool isClientPt(const CPoint& pt) const override;
    bool isNearPt(const CPoint& pt) const override;
    bool isInRect(const CRect& r) const override;
    CRect getBoundingRect() override;

    // Follows the mouse while a point or line tracker runs (may move the point, e.g. snap).
    virtual void trackCallBack(CPoint& point);
    // The tracker callback: forwards to the shape's own.
    static void trackCallBack(CPoint& point, void* shape);

    const CRgn* getRgn() const { return currentRgn(); }

    // The window pixels drawing may touch, worked out from the outline in model units, so a
    // window skips shapes outside what it repaints; empty when unknown (always drawn).
    virtual CRect getDrawnBounds() const { return {}; }

protected:
    // The region is in the window's pixels as they were when it was built. A shape left
    // undrawn while the window scrolled or zoomed rebuilds it when asked.
    virtual void refreshRgn() {}
    const CRgn* currentRgn() const {
        const_cast<ComplexShape*>(this)->refreshRgn();
        return rgn.get();
    }

    std::unique_ptr<CRgn> rgn;
};
