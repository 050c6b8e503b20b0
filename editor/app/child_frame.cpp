#include "editor/app/child_frame.h"

#include "editor/app/object_tree.h"
#include "editor/app/simulate_dock.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/res_strings.h"
#include "platform/services.h"
#include "view/layout_mgr.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>

CChildFrame::CChildFrame(QWidget* parent) : QMainWindow(parent) {
    chartView = new ChartView(this);
    setCentralWidget(chartView);
    doc = std::make_unique<CTavrenDoc>(chartView->layout());

    browser = new QDockWidget(QString::fromStdString(LoadResString(IDS_OBJECT_BROWSER)), this);
    browser->setObjectName("ObjectBrowser");
    browser->setAllowedAreas(Qt::AllDockWidgetAreas);
    tree = new CObjectTree(browser);
    browser->setWidget(tree);
    chartView->layout().setObjectBrowser(tree);
    addDockWidget(Qt::LeftDockWidgetArea, browser);
    resizeDocks({browser}, {cObjectBrowserWidth}, Qt::Horizontal);
}

// The document refers to the view's chart, so it goes before the view.
CChildFrame::~CChildFrame() {
    delete simulation;
    simulation = nullptr;
    doc.reset();
    // Qt deletes the children in an order of its own: the dying chart must not reach the tree.
    chartView->layout().setObjectBrowser(nullptr);
}

bool CChildFrame::startSimulation() {
    if (simulation)
        return true;
    const std::string path = doc->GetPathName();
    const std::string folder =
        path.empty() ? std::string() : QFileInfo(QString::fromStdString(path)).path().toStdString();
    try {
        simulation = new CSimulateDock(*chartView, folder, this);
    } catch (const std::string& reason) {
        platform::messageBoxes().show("The chart cannot be simulated.\n\n" + reason, MsgButtons::Ok,
                                      MsgIcon::Stop, MsgResult::Ok);
        return false;
    }
    // Selecting in the browser and its property dialogs would change the chart.
    tree->setEnabled(false);
    chartView->setReadOnly(true);
    addDockWidget(Qt::RightDockWidgetArea, simulation);
    resizeDocks({simulation}, {cSimulateDockWidth}, Qt::Horizontal);
    simulation->show();
    return true;
}

void CChildFrame::stopSimulation() {
    if (!simulation)
        return;
    removeDockWidget(simulation);
    delete simulation;
    simulation = nullptr;
    chartView->setReadOnly(false);
    chartView->setSimMarks({});
    tree->setEnabled(true);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (promptOnClose && !doc->SaveModified()) {
        event->ignore();
        return;
    }
    closed = true;
    event->accept();
    emit chartClosed();
}
