#pragma once
// The Simulate dock of one chart: its events (filtered list, double click sends; or a typed
// name), Start, Reset, Step back, trace replay, and the step log, whose lines mark the shapes
// they name. It runs a SimSession and shows its marks on the chart view.

#include "editor/app/sim_session.h"

#include <QDialog>
#include <QDockWidget>

#include <memory>

class ChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Asks whether a guard holds, naming its text and its transition.
class GuardQuestionDialog : public QDialog {
    Q_OBJECT
public:
    GuardQuestionDialog(const genchart::Chart& chart, const sim::GuardQuestion& question,
                        QWidget* parent);
    // Shows the dialog; closing it answers false.
    SimSession::Answer ask();

private:
    QCheckBox* remember = nullptr;
    bool answer = false;
};

class CSimulateDock : public QDockWidget {
    Q_OBJECT
public:
    // Throws the reason (a std::string) when the chart cannot run.
    CSimulateDock(ChartView& view, std::string traceFolder, QWidget* parent);
    ~CSimulateDock() override;

    SimSession& session() { return *run; }

    void start();
    void reset();
    void stepBack();
    // False when the chart has no such event or no run is going.
    bool send(const QString& event);
    // Asks for a trace file and replays it from the start; false when none was read.
    bool replayTrace();
    // Replays a trace from its lines and shows the whole trace's verdict.
    void replayLines(const std::vector<std::string>& trace);
    // The next start or event of the trace; to the end (or the first difference) with all.
    void replayNext(bool all = false);
    // Marks the shapes the step log's line names (-1: none).
    void pickLine(int row);

private:
    void refresh();
    void showMarks();
    void filterEvents(const QString& text);
    void report(const std::string& failure);

    ChartView& chartView;
    std::string folder;
    std::unique_ptr<SimSession> run;
    QListWidget* events = nullptr;
    QLineEdit* filter = nullptr;
    QLineEdit* eventName = nullptr;
    QListWidget* stepLog = nullptr;
    QLabel* status = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* sendButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* allButton = nullptr;
    std::vector<long> picked;
    std::string verdict; // the replayed trace's, empty when none
};
