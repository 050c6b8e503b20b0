#pragma once
// A free comment box with a folded corner; note lines attach to it.

#include "model/connectable_rect_shape.h"
#include "model/text_box.h"
#include "platform/gdi.h"
#include "platform/kelmora_export.h"

#include <cstdint>

class KELMORA_API Note : public ConnectableRectShape {
public:
    static const std::string cType;
    static CRect getMinimumRect() { return {0, 0, 12, 6}; }

    Note();
    Note(long id, ViewServices* mgr, const CRect& r);

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    const std::string& getType() const override { return cType; }
    void onContextMenuAction(int commandId) override;
    // Edits the text, as the Edit command does: what users expect of a note.
    void onLButtonDoubleClick(UINT flags, CPoint point) override;
    void init() override;
    void updateNodes() override;

    TextBox* getTextHandler() { return &textHandler; }
    bool isTransparent() const { return transparent != 0; }
    bool hasNoBorder() const { return noBorder != 0; }
    COLORREF getBkColor() const { return bkColor; }
    COLORREF getBorderColor() const { return borderColor; }

protected:
    TextBox textHandler;
    std::int32_t transparent = 0;
    std::int32_t noBorder = 0;
    COLORREF bkColor = 0x0080FFFF;
    COLORREF borderColor = 0x00000080;

private:
    void editProperties();
};
