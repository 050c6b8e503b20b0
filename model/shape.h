#pragma once
// Base of every diagram element: identity, layer, the registry it is known to and the view
// that shows it (none in the headless library).

#include "model/object.h"
#include "platform/geometry.h"
#include "platform/kelmora_export.h"

#include <map>
#include <string>

class CDC;
class CWnd;
class ShapeRegistry;
class ViewServices;


// Layer codes: also the kind of a shape. Drawn 10 to 50, hit-tested 50 to 10.
inline constexpr short cStateLayer = 10;
inline constexpr short cMesgLayer = 20;
inline constexpr short cTransitionLayer = 40;
inline constexpr short cNoteLayer = 50;

class KELMORA_API Shape : public Object, public Collectable {
public:
    Shape() = default;
    // The type is the class's cType; the shape answers it through getType() instead of
    // storing it.
    Shape(long id, const std::string& type, ViewServices* mgr, short zorder);
    Shape(const Shape&) = default;
    Shape& operator=(const Shape&) = default;
    // Leaves the view's selection and the registry.
    ~Shape() override;

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    virtual void draw(CDC* dc) = 0;
    virtual void getMaxPrintArea(long& x, long& y) = 0;
    // pt in client pixels.
    virtual bool isClientPt(const CPoint& pt) const = 0;
    // pt in model units.
    virtual bool isNearPt(const CPoint& pt) const = 0;
    virtual bool isInRect(const CRect& r) const = 0;
    virtual void invalidate() = 0;
    virtual const std::string& getType() const = 0;
    virtual CRect getBoundingRect() = 0;
    // Gives the shape the new id mapped from its old one; false when it cannot be re-created
    // without shapes that the map lacks.
    virtual bool reBirth(std::map<long, long>& idMap);
    virtual void onContextMenuAction(int commandId);
    virtual void onLButtonDown(UINT flags, CPoint point);
    virtual void onLButtonDoubleClick(UINT flags, CPoint point);
    virtual bool onSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void init();
    virtual void initPartial();

    // Joins the shape to a registry and, when mgr is given, to a view (init); without a view
    // only initPartial runs.
    void create(ShapeRegistry* reg, ViewServices* mgr);

    short getZorder() const { return zorder; }
    void setZorder(short z) { zorder = z; }
    ViewServices* getMgr() const { return mgr; }
    ShapeRegistry* getRegistry() const { return registry; }

protected:
    ViewServices* mgr = nullptr;
    ShapeRegistry* registry = nullptr;
    short zorder = 0;
};
