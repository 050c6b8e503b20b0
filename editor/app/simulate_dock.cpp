#include "editor/app/simulate_dock.h"

#include "editor/app/file_dialogs.h"
#include "editor/view/chart_view.h"
#include "generators/sim/explanation_text.h"
#include "platform/services.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

GuardQuestionDialog::GuardQuestionDialog(const genchart::Chart& chart,
                                         const sim::GuardQuestion& question, QWidget* parent)
    : QDialog(parent) {
    setObjectName("guardQuestion");
    setWindowTitle("Guard");
    const sim::Candidate candidate{question.state, 0, question.position, &question.branch};
    const genchart::State& source = chart.states[static_cast<std::size_t>(question.state)];
    auto* text = new QLabel(this);
    text->setObjectName("guardText");
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setText(QString::fromStdString(
        "Does this guard hold?\n\n    " + question.branch.guard + "\n\non the transition\n\n    " +
        sim::describe(chart, candidate, question.event) + "\n\n(#" +
        std::to_string(question.position + 1) + " of " + source.className +
        (question.event == sim::cCompletion
             ? std::string("'s completion transitions")
             : "'s transitions for " +
                   chart.events[static_cast<std::size_t>(question.event)].name) +
        ")"));
    remember = new QCheckBox("Remember this answer for this guard for the rest of the run", this);
    remember->setObjectName("guardRemember");
    auto* yes = new QPushButton("It holds (true)", this);
    yes->setObjectName("guardTrue");
    auto* no = new QPushButton("It does not hold (false)", this);
    no->setObjectName("guardFalse");
    connect(yes, &QPushButton::clicked, this, [this] {
        answer = true;
        accept();
    });
    connect(no, &QPushButton::clicked, this, [this] {
        answer = false;
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(remember);
    layout->addLayout(buttons);
}

SimSession::Answer GuardQuestionDialog::ask() {
    if (exec() != QDialog::Accepted)
        return {};
    return {answer, remember->isChecked()};
}

namespace {

QPushButton* button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

CSimulateDock::CSimulateDock(ChartView& view, std::string traceFolder, QWidget* parent)
    : QDockWidget("Simulate", parent), chartView(view), folder(std::move(traceFolder)),
      run(std::make_unique<SimSession>(view.layout())) {
    setObjectName("SimulateDock");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    run->setGuardAsker([this](const sim::GuardQuestion& q) {
        GuardQuestionDialog dialog(run->chart(), q, this);
        return dialog.ask();
    });

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* runRow = new QHBoxLayout;
    startButton = button("Start", "simStart", body);
    resetButton = button("Reset", "simReset", body);
    backButton = button("Step back", "simStepBack", body);
    for (QPushButton* b : {startButton, resetButton, backButton})
        runRow->addWidget(b);
    layout->addLayout(runRow);

    auto* replayRow = new QHBoxLayout;
    auto* replayButton = button("Replay trace...", "simReplay", body);
    nextButton = button("Next", "simReplayNext", body);
    allButton = button("To end", "simReplayAll", body);
    for (QPushButton* b : {replayButton, nextButton, allButton})
        replayRow->addWidget(b);
    layout->addLayout(replayRow);

    layout->addWidget(new QLabel("Events (double click sends):", body));
    filter = new QLineEdit(body);
    filter->setObjectName("simFilter");
    filter->setPlaceholderText("Filter");
    filter->setClearButtonEnabled(true);
    layout->addWidget(filter);
    events = new QListWidget(body);
    events->setObjectName("simEvents");
    for (const std::string& name : run->eventNames())
        events->addItem(QString::fromStdString(name));
    layout->addWidget(events, 1);

    auto* sendRow = new QHBoxLayout;
    eventName = new QLineEdit(body);
    eventName->setObjectName("simEventName");
    eventName->setPlaceholderText("Event name");
    sendButton = button("Send", "simSend", body);
    sendRow->addWidget(eventName, 1);
    sendRow->addWidget(sendButton);
    layout->addLayout(sendRow);

    layout->addWidget(new QLabel("Step log (click a line to mark its shapes):", body));
    stepLog = new QListWidget(body);
    stepLog->setObjectName("simLog");
    stepLog->setWordWrap(true);
    layout->addWidget(stepLog, 3);
    status = new QLabel(body);
    status->setObjectName("simStatus");
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status);
    setWidget(body);

    connect(startButton, &QPushButton::clicked, this, &CSimulateDock::start);
    connect(resetButton, &QPushButton::clicked, this, &CSimulateDock::reset);
    connect(backButton, &QPushButton::clicked, this, &CSimulateDock::stepBack);
    connect(replayButton, &QPushButton::clicked, this, &CSimulateDock::replayTrace);
    connect(nextButton, &QPushButton::clicked, this, [this] { replayNext(false); });
    connect(allButton, &QPushButton::clicked, this, [this] { replayNext(true); });
    connect(filter, &QLineEdit::textChanged, this, &CSimulateDock::filterEvents);
    connect(events, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { send(item->text()); });
    const auto sendTyped = [this] {
        if (send(eventName->text().trimmed()))
            eventName->clear();
    };
    connect(eventName, &QLineEdit::returnPressed, this, sendTyped);
    connect(sendButton, &QPushButton::clicked, this, sendTyped);
    connect(stepLog, &QListWidget::currentRowChanged, this, &CSimulateDock::pickLine);
    refresh();
}

// The drawing goes back to the chart alone.
CSimulateDock::~CSimulateDock() {
    chartView.setSimMarks({});
}

void CSimulateDock::report(const std::string& failure) {
    platform::messageBoxes().show(failure, MsgButtons::Ok, MsgIcon::Stop, MsgResult::Ok);
}

void CSimulateDock::start() {
    try {
        run->start();
    } catch (const std::string& failure) {
        report(failure);
    }
    refresh();
}

void CSimulateDock::reset() {
    run->reset();
    verdict.clear();
    refresh();
}

void CSimulateDock::stepBack() {
    run->stepBack();
    refresh();
}

bool CSimulateDock::send(const QString& event) {
    if (!run->started() || run->replaying())
        return false;
    bool sent = false;
    try {
        sent = run->send(event.toStdString());
        if (!sent)
            report("The chart has no event \"" + event.toStdString() + "\".");
    } catch (const std::string& failure) {
        report(failure);
    }
    refresh();
    return sent;
}

bool CSimulateDock::replayTrace() {
    const std::string path = fileDialogs().openTrace(folder);
    if (path.empty())
        return false;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        report("Unable to open file : " + path);
        return false;
    }
    std::vector<std::string> lines;
    for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(line.toStdString());
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    replayLines(lines);
    return true;
}

void CSimulateDock::replayLines(const std::vector<std::string>& trace) {
    const sim::TraceCheck check = run->startReplay(trace);
    verdict = check.agrees ? "The trace agrees with the chart."
                           : "The trace parts from the chart at line " +
                                 std::to_string(check.line) + ": " + check.message + ".";
    refresh();
}

void CSimulateDock::replayNext(bool all) {
    while (run->replayStep() && all) {
    }
    refresh();
    if (run->replayDone())
        chartView.ensureVisible(simMarksArea(chartView.layout(), run->marks()));
}

void CSimulateDock::pickLine(int row) {
    picked.clear();
    if (row >= 0 && static_cast<std::size_t>(row) < run->log().size())
        for (long id : run->log()[static_cast<std::size_t>(row)].shapes)
            if (id != 0)
                picked.push_back(id);
    showMarks();
    SimMarks only;
    for (long id : picked)
        only.marks.push_back({id, SimMark::Picked, {}});
    chartView.ensureVisible(simMarksArea(chartView.layout(), only));
}

void CSimulateDock::showMarks() {
    SimMarks marks = run->marks();
    for (long id : picked)
        marks.marks.push_back({id, SimMark::Picked, {}});
    chartView.setSimMarks(std::move(marks));
}

void CSimulateDock::filterEvents(const QString& text) {
    for (int i = 0; i < events->count(); ++i)
        events->item(i)->setHidden(!events->item(i)->text().contains(text, Qt::CaseInsensitive));
}

void CSimulateDock::refresh() {
    const bool started = run->started();
    const bool replaying = run->replaying();
    startButton->setEnabled(!started && !replaying);
    backButton->setEnabled(run->steps() > 0);
    nextButton->setEnabled(replaying && !run->replayDone());
    allButton->setEnabled(replaying && !run->replayDone());
    for (QWidget* w : {static_cast<QWidget*>(events), static_cast<QWidget*>(eventName),
                       static_cast<QWidget*>(sendButton)})
        w->setEnabled(started && !replaying);

    const QSignalBlocker quiet(stepLog);
    stepLog->clear();
    for (const SimSession::LogLine& line : run->log()) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.text), stepLog);
        QFont font = item->font();
        font.setBold(line.head);
        item->setFont(font);
    }
    if (stepLog->count() > 0)
        stepLog->scrollToBottom();
    picked.clear();

    std::string text;
    if (!started) {
        text = "Not started.";
    } else if (run->configuration().empty()) {
        text = "No state is active: the machine has finished.";
    } else {
        text = "Active:";
        for (int s : run->configuration())
            text += " " + run->chart().states[static_cast<std::size_t>(s)].className;
    }
    if (!verdict.empty())
        text += "\n" + verdict;
    status->setText(QString::fromStdString(text));
    showMarks();
}
