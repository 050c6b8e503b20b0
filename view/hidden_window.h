#pragma once
// The receiver of shapes' context menus: shows the menu of a shape's kind with its items'
// states, and hands the chosen command to that shape (or, for the z-order commands, to the
// view). One per model manager; the window it stands for is never shown.

#include "platform/cwnd.h"

#include <vector>

class LayoutMgr;
class Shape;

class HiddenWindow {
public:
    explicit HiddenWindow(LayoutMgr* v) : view(v) {}

    void SetShape(Shape* s) { shape = s; }
    Shape* GetShape() const { return shape; }
    // The shape is going away: it must not receive a command any more.
    void forget(Shape* s) {
        if (shape == s)
            shape = nullptr;
    }
    // The menu of the shape's kind with its items' current states; empty for kinds without one.
    static std::vector<MenuItem> menuFor(Shape* s);
    // Shows the shape's menu at the client pixel and carries out the chosen command.
    void ShowMenu(Shape* s, CPoint at);
    // A command of a shape's menu: to the current shape, then an undo snapshot.
    void OnCommand(unsigned id);

private:
    LayoutMgr* view;
    Shape* shape = nullptr;
};
