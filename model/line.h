#pragma once
// A note line: a straight connector whose ends either sit on anchors of Connectable shapes
// (and follow them) or are free points. It means nothing to code generation.

#include "model/anchor_marker.h"
#include "model/complex_shape.h"
#include "model/connectable.h"
#include "platform/kelmora_export.h"

#include <cstdint>

class KELMORA_API Line : public ComplexShape, public Connector {
public:
    static inline const std::string cType = "Line";
    static constexpr int cRgnWidth = 4;   // hit band around the segment, pixels
    static constexpr int cHandleSize = 3; // half size of an end handle, pixels

    Line() = default;
    Line(long id, ViewServices* mgr, const CPoint& head, const CPoint& tail);
    // Attachments are registered under this object's address, so copies would dangle.
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    // Lets go of the attached shapes so they keep no pointer to a dead line.
    ~Line() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    CRect getDrawnBounds() const override;
    const std::string& getType() const override { return cType; }
    void invalidate() override;
    bool reBirth(std::map<long, long>& idMap) override;
    void onContextMenuAction(int commandId) override;
    void onLButtonDown(UINT flags, CPoint point) override;
    bool onSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void init() override;
    void trackCallBack(CPoint& point) override;
    using ComplexShape::trackCallBack;
    void execute(EAction action, void* data) override;

    void reCalculate(Connectable* c) override;
    void detach(Connectable* c) override;
    bool isUnderCollection() override;

    void getMaxPrintArea(long& x, long& y) override;
    const CPoint& getHead() const { return head; }
    const CPoint& getTail() const { return tail; }
    void setHead(const CPoint& p) { head = p; }
    void setTail(const CPoint& p) { tail = p; }
    Connectable* getHeadObj() const { return headObj; }
    Connectable* getTailObj() const { return tailObj; }
    long getHeadObjId() const { return headObjId; }
    long getTailObjId() const { return tailObjId; }
    // Ids of shapes to attach to when init runs (read from a record).
    void setHeadObjId(long id) { headObjId = id; }
    void setTailObjId(long id) { tailObjId = id; }
    const NODE& getHeadNode() const { return headNode; }
    const NODE& getTailNode() const { return tailNode; }
    void setHeadNode(const NODE& n) { headNode = n; }
    void setTailNode(const NODE& n) { tailNode = n; }
    int getPenColor() const { return penColor; }
    int getPenStyle() const { return penStyle; }
    void setPenColor(int index) { penColor = index; }
    void setPenStyle(int index) { penStyle = index; }

private:
    enum class Drag { None, Body, Head, Tail };

    void constructRgn();
    void refreshRgn() override;
    CRect getHeadDragRect() const;
    CRect getTailDragRect() const;

    // Client pixels of a model point at the current zoom and scroll position.
    CPoint toPixel(const CPoint& units) const;
    CRect handleAt(const CPoint& units) const;
    void moveBody(const CPoint& pixel, CWnd* wnd);
    void dragEnd(bool headEnd, CWnd* wnd);
    // The Connectable under a client pixel with an anchor there, or null.
    Connectable* anchorAt(const CPoint& pixel, NODE& node) const;
    // Lets go of one end's shape; the end stays where it is.
    void releaseEnd(bool headEnd);
    // Replaces the attachment of one end; a null c leaves the end free.
    void attachEnd(bool headEnd, Connectable* c, const NODE& node);

    CPoint head;
    CPoint tail;
    Connectable* headObj = nullptr;
    Connectable* tailObj = nullptr;
    long headObjId = 0;
    long tailObjId = 0;
    NODE headNode;
    NODE tailNode;
    std::int32_t penColor = 0;
    std::int32_t penStyle = 0;

    // The view geometry the region was built for; a change means it must be rebuilt.
    CPoint rgnScroll;
    short rgnZoom = 0;
    // Editor state of one mouse drag.
    Drag drag = Drag::None;
    CPoint dragStart; // client units, body drags
    AnchorMarker marker;
};
