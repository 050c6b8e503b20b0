#pragma once
// The window a chart view draws into: repainting, cursors, the XOR overlay and the modal
// mouse loop that trackers run while the user drags.

#include "platform/cdc.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <string>
#include <vector>

// Cursors the shapes and the view ask for; the numbers are the resource ids of the own ones.
enum class CursorId {
    Arrow = 0,
    SizeWE = 1,
    SizeNS = 2,
    SizeNWSE = 3, // top-left and bottom-right corners
    SizeNESW = 4, // top-right and bottom-left corners
    SizeAll = 5,  // moving a whole rectangle
    LineEnd = 145,
    LineBody = 146,
    Connector = 154,
    TransitionEnd = 155,
};

// Mouse-message flags: the keys held during a click.
inline constexpr UINT MK_LBUTTON = 0x0001;
inline constexpr UINT MK_SHIFT = 0x0004;
inline constexpr UINT MK_CONTROL = 0x0008;

// One entry of a pop-up menu; id 0 is a separator.
struct MenuItem {
    unsigned id = 0;
    std::string text; // with its '&' mnemonic
    bool enabled = true;
    bool checked = false;
};

struct MouseEvent {
    enum Kind { Move, LButtonUp, Escape, CaptureLost };
    Kind kind = Move;
    CPoint point; // client pixels for Move and LButtonUp
};

class KELMORA_API CWnd {
public:
    virtual ~CWnd() = default;

    // Schedules a repaint of r (client pixels), erasing the background first.
    virtual void Invalidate(const CRect& r) = 0;
    virtual void UpdateWindow() = 0;
    virtual void SetCursor(CursorId cursor) = 0;
    // The mouse position in client pixels.
    virtual CPoint GetCursorPos() const = 0;
    virtual bool IsShiftDown() const = 0;

    // Drawing outside painting goes to the overlay; in an XOR raster mode a primitive drawn
    // twice disappears again. The context stays valid for the window's life.
    virtual CDC& GetOverlayDC() = 0;

    // Modal mouse loop: grab the mouse, then hand out events until the caller releases it.
    // NextMouseEvent blocks; CaptureLost ends the loop from outside.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual MouseEvent NextMouseEvent() = 0;

    // Shows a pop-up menu at the client pixel and waits: the chosen command, or 0.
    virtual unsigned TrackPopupMenu(const std::vector<MenuItem>& items, CPoint at) = 0;
};
