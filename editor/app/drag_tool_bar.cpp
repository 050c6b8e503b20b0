#include "editor/app/drag_tool_bar.h"

#include "platform/command_ids.h"

#include <QAction>
#include <QMouseEvent>
#include <QToolButton>

namespace {
constexpr int kDragDistance = 3; // |dx| + |dy|, pixels
}

CDragToolBar::CDragToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {}

void CDragToolBar::addCommand(QAction* action) {
    addAction(action);
    if (QWidget* button = widgetForAction(action))
        button->installEventFilter(this);
}

bool CDragToolBar::eventFilter(QObject* watched, QEvent* e) {
    auto* button = qobject_cast<QToolButton*>(watched);
    QAction* action = button ? button->defaultAction() : nullptr;
    if (!action || !post)
        return QToolBar::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton || !action->isEnabled())
            return false;
        pressed = true;
        pressPoint = me->globalPosition().toPoint();
        post(action->data().toUInt());
        return true;
    }
    case QEvent::MouseMove:
        if (pressed) {
            const QPoint d = static_cast<QMouseEvent*>(e)->globalPosition().toPoint() - pressPoint;
            if (d.manhattanLength() >= kDragDistance) {
                pressed = false;
                post(cmd::StartToolDrag);
            }
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            pressed = false;
        return false;
    default:
        return false;
    }
}
