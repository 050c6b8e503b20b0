#include "editor/app/child_frame.h"

#include "editor/app/object_tree.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/res_strings.h"
#include "view/layout_mgr.h"

#include <QCloseEvent>
#include <QDockWidget>

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
    doc.reset();
    // Qt deletes the children in an order of its own: the dying chart must not reach the tree.
    chartView->layout().setObjectBrowser(nullptr);
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
