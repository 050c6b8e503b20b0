#pragma once
// The drawing toolbar. A press on a button runs its command at once, so a tool's image starts
// following the mouse while the button is still held; moving 3 pixels (x plus y) with the
// button held then asks for the chosen tool to be dragged (the transition tool waits for it).

#include <QPoint>
#include <QToolBar>

#include <functional>

class CDragToolBar : public QToolBar {
    Q_OBJECT
public:
    CDragToolBar(const QString& title, QWidget* parent);

    // Adds the action's button; its presses go to post instead of the button.
    void addCommand(QAction* action);
    // Where the bar sends command ids; the main window's command routing.
    void setPoster(std::function<void(unsigned)> poster) { post = std::move(poster); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::function<void(unsigned)> post;
    bool pressed = false;
    QPoint pressPoint; // global
};
