#pragma once
// The tree beside a chart that lists its states, initial and final states and transitions.
// The chart view tells it of every shape that comes, goes or changes its entry; the editor
// implements it with a tree widget. Not owned by the view.

#include <string>

class LayoutMgr;
class Shape;

class ObjectBrowser {
public:
    // Binds the tree to a view; an empty tree gets its root, the model name.
    virtual void Attach(LayoutMgr* view) = 0;
    // Drops every item, the root included (the chart is about to be read afresh).
    virtual void Clear() = 0;
    virtual void SetModelName(const std::string& name) = 0;
    // The item of a new shape; kinds without one (labels, notes, lines) are ignored.
    virtual void AddShape(Shape* shape) = 0;
    // Deletes every item that stands for the shape. The shape may be half destroyed: only its
    // address is used.
    virtual void RemoveShape(Shape* shape) = 0;
    // Brings every item of the shape up to date (a state's name, a transition's ends and label).
    virtual void RefreshShape(Shape* shape) = 0;

protected:
    ~ObjectBrowser() = default;
};
