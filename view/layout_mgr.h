#pragma once
// The view of one open chart. It owns the chart's model manager and answers the shapes'
// requests: conversions, repainting, the selection, and finding shapes under the mouse.

#include "model/model_properties.h"
#include "model/view_services.h"
#include "view/model_mgr.h"

#include <iosfwd>
#include <memory>

class LayoutMgr : public ViewServices {
public:
    LayoutMgr();
    ~LayoutMgr() override;

    ModelMgr* getModelMgr() { return modelMgr.get(); }
    ModelProperties& getModelProperties() { return properties; }

    // The whole chart as a model file: header, zoom, shapes, model properties.
    void write(std::ostream& out);
    // Reads a model file into this view's (empty) model manager and joins the shapes layer by
    // layer. Throws the failure message as a std::string; the shapes read so far are then
    // destroyed with the model manager.
    void read(std::istream& in);
    // The window the chart is drawn in (not owned); null until the editor gives one.
    void setWindow(CWnd* wnd) { window = wnd; }
    CWnd* getWindow() override { return window; }

    Collection& getCollection() override;
    // Topmost shape whose outline holds the client pixel: layers 50 down to 10, later list
    // positions first within a layer.
    Shape* getShapeAtPoint(const CPoint& pixel) const override;
    // Like getShapeAtPoint with the shapes' near test in model units; layer 0 tries all.
    Shape* getShapeNearPoint(const CPoint& pixel, int layer) const override;
    Shape* createNewMesg(CPoint& pixel, Transition* transition) override;
    // To the end (front) or the start (back) of the shape's layer in the list.
    void sendToFront(Shape* shape) override;
    void sendToBack(Shape* shape) override;
    Font getTextFont() const override { return textFont; }
    COLORREF getTextColor() const override { return textColor; }

private:
    template <class Test> Shape* topmost(int layer, Test test) const;

    std::unique_ptr<ModelMgr> modelMgr;
    ModelProperties properties{this};
    CWnd* window = nullptr;
    Font textFont;
    COLORREF textColor = 0;
};
