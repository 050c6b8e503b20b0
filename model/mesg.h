#pragma once
// The label of a transition: a small box with event, guard and effect that can be aligned so
// that its centre sits on the transition's attach point. The transition owns it.

#include "model/connectable_rect_shape.h"
#include "model/text_box.h"
#include "platform/gdi.h"
#include "platform/kelmora_export.h"

#include <cstdint>

class Transition;

class KELMORA_API Mesg : public ConnectableRectShape {
public:
    static const std::string cType;
    static constexpr short cAttachRectOffset = 4;
    static CRect getMinimumRect() { return {0, 0, 10, 6}; }

    Mesg();
    Mesg(long id, ViewServices* mgr, const CRect& r, Transition* t);
    // Leaves its transition.
    ~Mesg() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    const std::string& getType() const override { return cType; }
    // False when the owning transition is not among the mapped shapes.
    bool reBirth(std::map<long, long>& idMap) override;
    void onContextMenuAction(int commandId) override;
    void onLButtonDown(UINT flags, CPoint point) override;
    void onLButtonDoubleClick(UINT flags, CPoint point) override;
    bool onSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void init() override;
    void initPartial() override;
    void onRectChange(const CRect& oldRect, bool resized) override;
    void showTracker(bool show) override;
    void updateNodes() override;

    // Follows the mouse while the attach point is dragged; snaps onto the transition.
    virtual void trackCallBack(CPoint& point);
    static void trackCallBack(CPoint& point, void* mesg);

    Transition* getTransition() const { return transition; }
    long getTransitionId() const { return transitionId; }
    EventEditorBox* getTextHandler() { return &textHandler; }
    // The centre of the rectangle, model units.
    CPoint getAttachPoint() const { return rect.CenterPoint(); }
    // Moves the label so that its centre sits on the transition's attach point.
    void align();
    bool isAligned() const;
    // The transition tells its label about its selection, which colours the attach square.
    void setTransitionSelected(bool selected);

    bool isTransparent() const { return transparent != 0; }
    bool hasNoBorder() const { return noBorder != 0; }
    COLORREF getBkColor() const { return bkColor; }
    COLORREF getBorderColor() const { return borderColor; }

protected:
    // The attach point in client pixels as a 9-by-9 square.
    CRect getAttachRect() const;

    EventEditorBox textHandler;
    Transition* transition = nullptr;
    std::int32_t transparent = 0;
    std::int32_t noBorder = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF borderColor = RGB(0, 255, 0);
    long transitionId = 0;

private:
    // Whether a label with this rectangle would sit on the transition's attach point.
    bool isAlignedAt(const CRect& r) const;
    // Finds the transition by its id and attaches to it.
    void bindTransition();
    bool isShownSelected();
    void editText();
    void editProperties();
    void showSnapMarker(bool show, CPoint at = {});

    bool snapShown = false; // while the attach point is dragged
    CRect snapRect;
};
