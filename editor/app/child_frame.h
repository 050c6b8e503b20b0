#pragma once
// The frame of one open chart inside the main window's document area: the chart view in the
// middle, the chart's object browser docked beside it, and the chart's document.

#include <QMainWindow>

#include <memory>

class CObjectTree;
class CSimulateDock;
class CTavrenDoc;
class ChartView;
class QDockWidget;

class CChildFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int cObjectBrowserWidth = 150;
    static constexpr int cSimulateDockWidth = 380;

    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;

    ChartView& view() { return *chartView; }
    CTavrenDoc& document() { return *doc; }
    QDockWidget* objectBrowser() const { return browser; }
    CObjectTree& objectTree() { return *tree; }
    // Closed (or on its way out): no longer counts as an open chart.
    bool isClosed() const { return closed; }
    // Close All asks about saving beforehand, so closing must not ask again.
    void setPromptOnClose(bool on) { promptOnClose = on; }

    // Simulate mode: the chart is read-only and runs in the Simulate dock. Entering reports
    // why the chart cannot run and returns false; leaving drops the run and its marks and
    // leaves the chart as it was.
    bool isSimulating() const { return simulation != nullptr; }
    bool startSimulation();
    void stopSimulation();
    CSimulateDock* simulateDock() const { return simulation; }

signals:
    void chartClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ChartView* chartView = nullptr;
    std::unique_ptr<CTavrenDoc> doc;
    QDockWidget* browser = nullptr;
    CObjectTree* tree = nullptr;
    CSimulateDock* simulation = nullptr;
    bool promptOnClose = true;
    bool closed = false;
};
