// The real editor, which leaves through File > Exit as soon as a chart is open: the exit
// test runs it as a user would, as a separate process.

#include "editor/app/main_frame.h"
#include "editor/app/tavren_app.h"
#include "platform/command_ids.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

void exitOnceAChartIsOpen() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* frame = qobject_cast<CMainFrame*>(w);
        if (frame && frame->activeChild()) {
            // Through the File menu, clicked: the command then runs inside the menu's own
            // mouse handling.
            QMenu* file = frame->menuBar()->actions().front()->menu();
            file->popup(frame->mapToGlobal(QPoint(10, 10)));
            QAction* exit = frame->action(cmd::AppExit);
            QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(exit).center());
            return;
        }
    }
    QTimer::singleShot(20, exitOnceAChartIsOpen);
}

void scheduleExit() {
    QTimer::singleShot(0, exitOnceAChartIsOpen);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleExit)

int main(int argc, char** argv) {
    return runTavren(argc, argv);
}
