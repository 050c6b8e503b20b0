#pragma once
// A rectangular shape with anchors: the base of states, transition labels and notes.

#include "model/connectable.h"
#include "model/rect_shape.h"
#include "platform/gdi.h"
#include "platform/kelmora_export.h"

#include <cstdint>
#include <string>

class KELMORA_API ConnectableRectShape : public RectShape, public Connectable {
public:
    ConnectableRectShape() = default;
    ConnectableRectShape(long id, const std::string& type, ViewServices* mgr, const CRect& r,
                         short zorder);
    // Lets the connectors go first.
    ~ConnectableRectShape() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    void invalidate() override;
    void onContextMenuAction(int commandId) override;
    void init() override;
    void onRectChange(const CRect& oldRect, bool resized) override;

    // Recomputes the anchor map from the rectangle (editor; nothing headless).
    virtual void updateNodes();

    long getObjectId() override { return getObjId(); }
    bool isUnderCollection() override;
    std::uint16_t getNodeSensitivity() override;
    ViewServices* getMgr() override { return mgr; }

    bool isNodeShown() const { return nodeShown; }
    void setNodeShown(bool shown) { nodeShown = shown; }
    // Whether the "Show Anchors" menu item is checked.
    bool onInitMenuPopup() const { return nodeShown; }

protected:
    // The properties dialog of labels and notes; the values change only on OK. Without
    // borderEditable the "No Border" choice is offered but cannot be changed.
    bool editBoxProperties(const std::string& title, std::int32_t& transparent,
                           std::int32_t& noBorder, COLORREF& bkColor, COLORREF& borderColor,
                           bool borderEditable = true);
    // Draws the anchors, or with show false erases them until updateNodes runs again.
    void drawNodes(CDC* dc, bool show);

    bool nodeShown = true;
};
