#pragma once
// The resize tracker of a rectangular shape: the window system's rectangle tracker whose
// adjust hook and handle mask are the owner's.

#include "platform/crect_tracker.h"

class RectShape;

class RectTracker : public CRectTracker {
public:
    explicit RectTracker(RectShape* owner);

    void AdjustRect(int handle, RECT* rect) override;
    UINT GetHandleMask() const override;

private:
    RectShape* owner;
};
