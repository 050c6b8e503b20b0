#pragma once
// The Check dock of one chart: what tvccheck reports, listed while the dock is open and
// checked again after each edit; a click selects the shapes a diagnostic concerns.

#include "generators/check/chart_checks.h"

#include <QDockWidget>

#include <string>
#include <vector>

class ChartView;
class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class CCheckDock : public QDockWidget {
    Q_OBJECT
public:
    CCheckDock(ChartView& view, QWidget* parent);

    const std::vector<check::Diagnostic>& diagnostics() const { return found; }
    // Checks the chart as the view holds it now, unless it is unchanged since the last check.
    void refresh();

private:
    void select(QTreeWidgetItem* item);

    ChartView& chartView;
    QTreeWidget* list;
    QLabel* summary;
    QTimer* pending;
    std::string checkedText; // the chart as last checked
    std::vector<check::Diagnostic> found;
};
