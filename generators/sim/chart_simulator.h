#pragma once
// Runs a chart without generating code: the same run-to-completion queue, dispatch order,
// exits, effect, entries and history as every generated machine, decided by the same walk
// of the chart model (machine_walk), and every step explained as data.
//
// Guards and actions are the user's code, which cannot run here. A guard is answered by the
// oracle; an action is recorded with its text and may raise events through the action hook
// (by default, each "@raise NAME" in its text raises NAME).

#include "generators/common/machine_chart.h"
#include "platform/kelmora_export.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace sim {

constexpr int cNone = genchart::cTopLevel; // no state: before start, once finished
constexpr int cCompletion = -2;            // GuardQuestion::event of a completion transition

enum class Result { Handled, Ignored, Queued, Dropped };
KELMORA_API const char* resultName(Result result);

// A transition the search looked at, in the order it was tried.
struct Candidate {
    enum Verdict {
        Fired,
        GuardFalse,
        NotReached, // the same state fired an earlier one
        Shadowed,   // an inner state fired first
    };
    int state = cNone; // the state the transition leaves
    int depth = 0;     // 0 for the innermost active state, 1 for its parent, ...
    int position = 0;  // its place in the state's dispatch order for the event, from 0
    const genchart::Branch* branch = nullptr;
    bool guardAsked = false;
    bool guardAnswer = false;
    Verdict verdict = NotReached;
};

struct Step {
    // Complete: `state` has completed and tries its completion transitions in dispatch
    // order; CompletionGuard: one of them had its guard (`code`) asked, `answer` the reply.
    enum Kind {
        Exit,
        Fire,
        Effect,
        Entry,
        DefaultEntry,
        HistoryEntry,
        Finish,
        Complete,
        CompletionGuard
    };
    Kind kind;
    int state = cNone;   // Fire: the source; Finish: none
    int target = cNone;  // Fire only: none for a final state
    std::string code;    // the action's text, empty when it has none
    std::string trace;   // the line a generated machine's -g trace shows, empty for none
    bool answer = false; // CompletionGuard only
};

// An event sent from inside an action, and what became of it.
struct Raise {
    int event;
    Result result;         // Queued or Dropped
    std::string arguments; // as the action gave them, empty for none
};

// One event (or the start) and everything it caused, raised events excepted: they follow as
// explanations of their own.
struct Explanation {
    int event = -1; // -1 for start
    // The event's arguments as text ("3, true"): the simulator runs no code, so it only
    // carries them with the event, through the queue too.
    std::string arguments;
    Result result = Result::Ignored;
    bool wasFinished = false; // ignored because the top level had finished
    std::vector<Candidate> candidates;
    std::vector<Step> steps;
    std::vector<Raise> raised;      // events the actions raised, in order
    std::vector<std::string> trace; // the -g trace lines, in order
};

struct GuardQuestion {
    int state;
    int event;
    int position;
    const genchart::Branch& branch;
};

class KELMORA_API ChartSimulator {
public:
    using GuardOracle = std::function<bool(const GuardQuestion&)>;
    // Told of every action that runs; returns the names of the events it raises after its
    // other effects (or sends them itself through post()).
    using ActionHook = std::function<std::vector<std::string>(const Step&)>;

    explicit ChartSimulator(genchart::Chart chart, std::size_t queueSize = 16);

    const genchart::Chart& chart() const { return model; }
    int eventIndex(const std::string& name) const; // -1 when the chart has no such event

    // Every guard without an answer of its own gets the default (false at first).
    void answerGuard(const std::string& guardText, bool answer);
    void setDefaultAnswer(bool answer) { defaultAnswer = answer; }
    // Replaces the scripted answers altogether.
    void setGuardOracle(GuardOracle oracle) { guardOracle = std::move(oracle); }
    void setActionHook(ActionHook hook) { actionHook = std::move(hook); }

    // Both return the explanations of what ran, the event's (or the start's) first, then one
    // per queued event processed before the call returned. An event sent from inside an
    // action hook is queued.
    std::vector<Explanation> start();
    std::vector<Explanation> send(int event, std::string arguments = {});
    // From inside an action hook: queues the event (or drops it when the queue is full) at
    // this point of the action, as a generated machine's action sending it would.
    Result post(int event, std::string arguments = {});

    // An event as a script or a raise writes it, "received(3, true)" or "received 3 1": its
    // index (-1 when the chart has no such event) and its arguments as text ("3, true",
    // "3 1"; empty for none). A chart's event whose name holds blanks is found whole.
    std::pair<int, std::string> findEventCall(const std::string& text) const;

    bool started() const { return isStarted; }
    bool finished() const { return isFinished; }
    int activeState() const { return active; }
    bool isIn(int state) const;
    // The active states, outermost first.
    std::vector<int> configuration() const;
    // The sub-state a history state remembers, cNone when none.
    int remembered(int state) const { return history[static_cast<std::size_t>(state)]; }

    // The events an action's text raises by the "@raise NAME" convention.
    static std::vector<std::string> annotatedRaises(const std::string& code);

private:
    const genchart::State& at(int state) const;
    void process(int event, std::string arguments, Explanation& out);
    void drain(std::vector<Explanation>& out);
    bool ask(int state, int event, int position, const genchart::Branch& branch);
    void runSteps(int source, const genchart::Branch& branch, const genchart::Event& event,
                  Explanation& out);
    void complete(Explanation& out);
    int exitTo(int stop, Explanation& out);
    void exitState(int state, int child, Explanation& out);
    void enter(int state, Step::Kind kind, Explanation& out);
    void enterDefault(Explanation& out);
    void runAction(const Step& step, Explanation& out);
    void raise(int event, std::string arguments, Explanation& out);
    Explanation* current = nullptr; // while an event is processed

    genchart::Chart model;
    std::size_t queueCapacity;
    std::vector<int> history;
    std::vector<std::pair<std::string, bool>> answers;
    bool defaultAnswer = false;
    GuardOracle guardOracle;
    ActionHook actionHook;
    int active = cNone;
    int completing = cNone; // a composite whose final state was just reached
    bool isStarted = false;
    bool isFinished = false;
    bool busy = false;
    std::deque<std::pair<int, std::string>> queue; // events with their arguments
};

} // namespace sim
