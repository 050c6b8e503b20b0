#include "editor/app/check_dock.h"

#include "editor/app/chart_copy.h"
#include "editor/view/chart_view.h"
#include "editor/view/sim_marks.h"
#include "model/shape.h"
#include "view/layout_mgr.h"

#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sstream>

namespace {

// Edits come in bursts (a drag, typing in a dialog): check once they settle.
constexpr int cSettleMs = 250;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

CCheckDock::CCheckDock(ChartView& view, QWidget* parent)
    : QDockWidget(tr("Check"), parent), chartView(view) {
    setObjectName("checkDock");
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    summary = new QLabel(body);
    summary->setObjectName("checkSummary");
    list = new QTreeWidget(body);
    list->setObjectName("checkList");
    list->setColumnCount(3);
    list->setHeaderLabels({tr("Severity"), tr("Message"), tr("Rule")});
    list->setRootIsDecorated(false);
    list->setWordWrap(true);
    list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    column->addWidget(summary);
    column->addWidget(list);
    setWidget(body);

    pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(cSettleMs);
    connect(pending, &QTimer::timeout, this, &CCheckDock::refresh);
    connect(&chartView, &ChartView::stateChanged, pending, qOverload<>(&QTimer::start));
    connect(list, &QTreeWidget::itemClicked, this, &CCheckDock::select);
    refresh();
}

void CCheckDock::refresh() {
    std::ostringstream now;
    chartView.layout().write(now);
    if (now.str() == checkedText && !checkedText.empty())
        return;
    checkedText = now.str();
    try {
        const ChartCopy copy(chartView.layout());
        found = check::checkChart(copy.path());
    } catch (const std::string& reason) {
        found = {{"front-end", check::Severity::Error, reason, {}}};
    }
    list->clear();
    int counts[3] = {};
    for (std::size_t i = 0; i < found.size(); ++i) {
        const check::Diagnostic& d = found[i];
        ++counts[static_cast<int>(d.severity)];
        auto* item = new QTreeWidgetItem(
            list, {text(check::severityName(d.severity)), text(d.message), text(d.rule)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setToolTip(1, text(d.message));
    }
    summary->setText(found.empty() ? tr("No problems found.")
                                   : tr("errors: %1, warnings: %2, notes: %3")
                                         .arg(counts[0])
                                         .arg(counts[1])
                                         .arg(counts[2]));
}

// The shapes named by object id become the selection, and the view scrolls to them.
void CCheckDock::select(QTreeWidgetItem* item) {
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index < 0 || static_cast<std::size_t>(index) >= found.size())
        return;
    LayoutMgr& layout = chartView.layout();
    ModelMgr& shapes = *layout.getModelMgr();
    shapes.clearSelection();
    SimMarks area;
    for (const check::ShapeRef& ref : found[static_cast<std::size_t>(index)].shapes)
        if (Shape* shape = ref.id ? shapes.getShape(ref.id) : nullptr) {
            shapes.getCollection().add(shape);
            area.marks.push_back({ref.id, SimMark::Picked, {}});
        }
    shapes.getCollection().execute(eSelect, nullptr);
    if (!area.empty())
        chartView.ensureVisible(simMarksArea(layout, area));
    chartView.viewport()->update();
    emit chartView.stateChanged();
}
