#pragma once
// The arrow of a state chart: an orthogonal route of links from an anchor of a source state
// to an anchor of a target state or a free end, optionally carrying a message label (owned).

#include "model/complex_shape.h"
#include "model/connectable.h"
#include "model/link.h"
#include "platform/kelmora_export.h"

#include <memory>
#include <string>
#include <vector>

class EndableState;
class Mesg;
class RecordedDrawing;
class StartableState;
struct Pen;

class KELMORA_API Transition : public ComplexShape {
public:
    static const std::string cType;
    static constexpr short cTransitionWidth = 4; // half-width of the hit band, pixels

    // An empty transition, for reading.
    Transition();
    // The route is a vertical arrow from start to end until init builds the links.
    Transition(long id, ViewServices* mgr, const CPoint& start, const CPoint& end);
    // Takes every value and its own link records; the route, region, label and states are
    // not shared (the copy builds its own route in init).
    Transition(const Transition& other);
    Transition& operator=(const Transition& other);
    // The attached states drop the transition; the label and the route die with it.
    ~Transition() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    CRect getDrawnBounds() const override;
    const std::string& getType() const override { return cType; }
    bool reBirth(std::map<long, long>& idMap) override;
    void onContextMenuAction(int commandId) override;
    void onLButtonDown(UINT flags, CPoint point) override;
    bool onSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void init() override;
    void initPartial() override;
    void invalidate() override;
    void trackCallBack(CPoint& point) override;
    void execute(EAction action, void* data) override;

    // From the route itself, which is in model units and exists before the first drawing.
    void getMaxPrintArea(long& x, long& y) override;
    StartableState* getHeadState() const { return headState; }
    EndableState* getTailState() const { return tailState; }
    Mesg* getMesg() const { return mesg; }
    void setStartState(StartableState* s) { headState = s; }
    void setEndState(EndableState* s) { tailState = s; }
    const NODE& getHeadNode() const { return headNode; }
    const NODE& getTailNode() const { return tailNode; }
    void setHeadNode(const NODE& n) { headNode = n; }
    void setTailNode(const NODE& n) { tailNode = n; }

    // Called back by the states when they drop the transition.
    void detach(StartableState* s);
    void detach(EndableState* s);
    // A state whose position changed.
    void reCalculate(StartableState* s);
    void reCalculate(EndableState* s);
    // Moves the free end to a window pixel (while a new transition is drawn).
    void setTailPoint(CPoint pixel);

    void attachMesg(Mesg* m);
    void delinkMesg(Mesg* m);

    // Where the label sits, window pixels.
    CRect getAttachRect();
    void showAttachPoint(bool show);
    // The window pixel of a model point.
    CPoint getPixel(const CPoint& units) const;

    // --- stored values ---
    const CPoint& getStartPoint() const { return start; }
    const CPoint& getEndPoint() const { return end; }
    void setStartPoint(const CPoint& p) { start = p; }
    void setEndPoint(const CPoint& p) { end = p; }
    long getHeadStateId() const { return headStateId; }
    long getTailStateId() const { return tailStateId; }
    void setHeadStateId(long id) { headStateId = id; }
    void setTailStateId(long id) { tailStateId = id; }
    const std::vector<LinkRecord>& getLinkRecords() const { return linkRecords; }
    void setLinkRecords(std::vector<LinkRecord> records) { linkRecords = std::move(records); }
    // The live route in stored form, from the head link to the tail link.
    std::vector<LinkRecord> getRouteRecords() const;
    HeadLink* getHeadLink() const { return headLink; }
    TailLink* getTailLink() const { return tailLink; }

private:
    bool isSelected() const;
    CPoint absoluteUnits(const CPoint& pixel) const;
    void constructLinks();
    // A route that comes out malformed is rebuilt once as a plain orthogonal one.
    void buildRoute(const std::vector<LinkRecord>& records, bool repair = true);
    // Whether the built route is orthogonal, connected and free of empty inner links.
    bool routeIsWellFormed() const;
    void destroyLinks();
    void constructRgn();
    void refreshRgn() override;
    void update();
    bool validateLinks();
    void autoCorrect();
    // Puts ends that are attached to states back onto their anchors.
    void followStates();
    static CPoint getAdjPt(const CPoint& a, const CPoint& b);
    bool drawArc(CDC* dc, const CPoint& a, const CPoint& corner, const CPoint& b);
    void drawLines(CDC* dc, const Pen* pen);
    void printLines(CDC* dc);
    template <class ToPixel> void traceRoute(CDC* dc, const Pen& pen, ToPixel toPixel);
    // Follows the mouse while an end is dragged from `from`; false when cancelled.
    bool trackEnd(const CPoint& from, CPoint& release);
    void tryHeadMove(HeadLink* link, const CPoint& pixel);
    void tryTailMove(TailLink* link, const CPoint& pixel);
    void tryLinkMove(Link* link, const CPoint& pixel);
    void tryBodyMove(const CPoint& pixel);
    void invalidateTracker();
    void showMarker(bool show, const CPoint& at = {});
    void drawMarker(const CPoint& at);
    // Before and after a selected state moved its end of this selected transition.
    void rememberFollow(std::vector<LinkRecord> before, const CSize& shift);
    // Moves the head or tail link onto the state's anchor after the state moved.
    void followEnd(Connectable& state, const NODE& node, bool head);

    CPoint start;
    CPoint end;
    StartableState* headState = nullptr;
    EndableState* tailState = nullptr;
    NODE headNode{1, 3};
    NODE tailNode{1, 1};
    HeadLink* headLink = nullptr; // owns the whole route
    TailLink* tailLink = nullptr;
    Link* draggedLink = nullptr;
    bool markerShown = false;
    CPoint markerPos;
    CPoint dragPos;
    std::unique_ptr<RecordedDrawing> dragOutline;
    bool dragShown = false;
    CPoint lastUnitOrigin;
    CPoint dragStart;
    Mesg* mesg = nullptr;
    CPoint attachPoint;
    std::vector<LinkRecord> linkRecords;
    long headStateId = 0;
    long tailStateId = 0;

    // A state in the selection that moves before its selected transition bends the route;
    // the selection's move then restores the route as it was and shifts it whole.
    struct Follow {
        bool valid = false;
        CSize shift;
        std::vector<LinkRecord> before;
        std::vector<LinkRecord> after;
    } follow;
};
