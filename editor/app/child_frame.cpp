#include "editor/app/child_frame.h"

#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/res_strings.h"

#include <QCloseEvent>
#include <QDockWidget>

CChildFrame::CChildFrame(QWidget* parent) : QMainWindow(parent) {
    chartView = new ChartView(this);
    setCentralWidget(chartView);
    doc = std::make_unique<CTavrenDoc>(chartView->layout());

    // The tree of the chart's shapes comes later; the bar and its place are fixed now.
    browser = new QDockWidget(QString::fromStdString(LoadResString(IDS_OBJECT_BROWSER)), this);
    browser->setObjectName("ObjectBrowser");
    browser->setAllowedAreas(Qt::AllDockWidgetAreas);
    browser->setWidget(new QWidget(browser));
    addDockWidget(Qt::LeftDockWidgetArea, browser);
    resizeDocks({browser}, {cObjectBrowserWidth}, Qt::Horizontal);
}

// The document refers to the view's chart, so it goes before the view.
CChildFrame::~CChildFrame() {
    doc.reset();
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
