#pragma once
// The rectangle tracker of the window system: a rectangle with eight resize handles that the
// user drags to move or resize it, with a rubber-band outline as feedback. Derived classes
// adjust the tracked rectangle and choose which handles exist.

#include "platform/cdc.h"
#include "platform/cwnd.h"
#include "platform/geometry.h"

class CRectTracker {
public:
    // Handle codes as HitTest answers them.
    enum Hit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };
    enum Style {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };

    CRectTracker() = default;
    CRectTracker(const CRect& r, unsigned style) : m_rect(r), m_nStyle(style) {}
    virtual ~CRectTracker() = default;

    void Draw(CDC* dc) const;
    // Which handle (or the inside) is at the client point.
    int HitTest(CPoint point) const;
    // Sets the sizing cursor for the handle under the mouse; false when none is there.
    bool SetCursor(CWnd* wnd, UINT hitTest) const;
    // Runs a modal drag starting at point: a handle resizes, the inside moves. True when the
    // user released the button with a changed rectangle; Escape or lost capture cancel.
    bool Track(CWnd* wnd, CPoint point);
    // Runs a modal rubber band from point; m_rect becomes start to release point (inverted
    // when allowInvert, else normalised). False when cancelled or the mouse did not move.
    bool TrackRubberBand(CWnd* wnd, CPoint point, bool allowInvert = true);

    // Called as the rectangle follows the mouse; the default keeps it as is.
    virtual void AdjustRect(int handle, RECT* rect);
    // Bit n set: handle n exists. Default: all eight.
    virtual UINT GetHandleMask() const;
    // The rectangle of handle n in client pixels (empty for a masked handle).
    CRect GetHandleRect(int handle) const;

    CRect m_rect;
    unsigned m_nStyle = solidLine | resizeInside;
    int m_nHandleSize = 6;
};
