#pragma once
// The square that marks the anchor under the mouse while a connection is drawn: drawn in XOR
// on the view window's overlay, so drawing it again erases it.

#include "platform/geometry.h"

class ViewServices;

class AnchorMarker {
public:
    // Moves the marker to the pixel; nothing happens when it is there already.
    void show(ViewServices* view, const CPoint& pixel);
    void hide(ViewServices* view);
    bool isShown() const { return !square.IsRectEmpty(); }

private:
    static void draw(ViewServices* view, const CRect& r);

    CRect square; // empty when hidden
};
