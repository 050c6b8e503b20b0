#include "generators/tvc2c/c_emitter.h"

#include "generators/common/code_printer.h"
#include "generators/common/machine_walk.h"
#include "generators/common/state_switches.h"
#include "generators/tvc2cpp/cpp_names.h"

#include <algorithm>
#include <cctype>
#include <sstream>

using namespace genchart;

namespace cnames {

std::string commentText(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char last = safe.empty() ? '\0' : safe.back();
        if (byte < 0x20 || byte == 0x7f) {
            safe += '?';
            continue;
        }
        // A blank between keeps "*/", "/*" and the trigraph "??/" from forming.
        if ((c == '/' && last == '*') || (c == '*' && last == '/') || (c == '?' && last == '?'))
            safe += ' ';
        safe += c == '\\' ? '/' : c;
    }
    return safe;
}

} // namespace cnames

namespace {

// Header names come from the model properties; a line break would start a line of its own.
std::string includeLine(const std::string& file) {
    std::string name;
    for (const char c : file)
        if (static_cast<unsigned char>(c) >= 0x20)
            name += c;
    if (!name.empty() && (name.front() == '<' || name.front() == '"'))
        return "#include " + name;
    return "#include \"" + name + "\"";
}

std::string fixedWidthType(std::size_t values) {
    return values <= 256 ? "uint8_t" : values <= 65536 ? "uint16_t" : "uint32_t";
}

// A trailing backslash (or its trigraph) would splice the line that follows the user's code.
bool endsInSplice(const std::string& code) {
    const std::size_t end = code.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return false;
    const std::string_view kept(code.data(), end + 1);
    return kept.back() == '\\' || kept.ends_with("?\?/");
}

std::string upper(const std::string& text) {
    std::string result;
    for (char c : text)
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// A parameter's type as a member of the message: a top-level const would make the member
// unassignable, so it is left out; what a pointer points to keeps its qualifiers.
std::string storedType(const std::string& type) {
    const auto wordChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    std::string stored = type;
    const std::size_t star = stored.rfind('*');
    const std::size_t from = star == std::string::npos ? 0 : star + 1;
    for (const std::string_view word : {"const", "volatile"})
        for (std::size_t at = stored.find(word, from); at != std::string::npos;
             at = stored.find(word, at)) {
            const std::size_t end = at + word.size();
            const bool alone = (at == 0 || !wordChar(stored[at - 1])) &&
                               (end == stored.size() || !wordChar(stored[end]));
            if (alone)
                stored.erase(at, word.size());
            else
                at = end;
        }
    const std::size_t first = stored.find_first_not_of(' ');
    const std::size_t last = stored.find_last_not_of(' ');
    return first == std::string::npos ? type : stored.substr(first, last - first + 1);
}

// The parameters as a declaration list after the machine: ", int count, int last".
std::string declaredParameters(const Event& event) {
    std::string list;
    for (const Parameter& p : event.parameters)
        list += ", " + p.type + " " + p.name;
    return list;
}

// The message's arguments passed on after the context: ", m->args.received.count, ...".
std::string passedArguments(const Event& event, const std::string& message) {
    std::string list;
    for (const Parameter& p : event.parameters)
        list += ", " + message + "->args." + event.id + "." + p.name;
    return list;
}

// The runtime's own file-scope names in the source file.
constexpr std::string_view cRuntimeNames[] = {
    "stateNames_", "eventNames_",    "parents_",      "process_",      "enqueue_",
    "drain_",      "enter_",         "exit_",         "exitTo_",       "enterDefault_",
    "entered_",    "exited_",        "fired_",        "finished_",     "ignored_",
    "dropped_",    "traceToStderr_", "traceLine_",    "traceEntered_", "traceExited_",
    "traceFired_", "traceFinished_", "traceIgnored_", "traceDropped_", "traceObserver_",
    "context_"};

} // namespace

CEmitter::CEmitter(const Chart& model)
    : chart(model), untraced(model), stateType(fixedWidthType(model.states.size() + 1)),
      eventType(fixedWidthType(model.events.size() + (model.hasCompletion() ? 1 : 0))) {
    untraced.trace = false;
}

const State& CEmitter::at(int index) const {
    return chart.states[static_cast<std::size_t>(index)];
}

// Enumerators live in the file's one namespace, so they carry the machine's name.
std::string CEmitter::stateRef(int index) const {
    return chart.rootClass + (index < 0 ? "_S_None_" : "_S_" + at(index).id);
}

std::string CEmitter::eventRef(const Event& event) const {
    return chart.rootClass + "_E_" + event.id;
}

std::string CEmitter::queueSizeMacro() const {
    return upper(chart.rootClass) + "_QUEUE_SIZE";
}

std::string CEmitter::contextMacro() const {
    return upper(chart.rootClass) + "_CONTEXT";
}

// Only transitions leaving a composite state exit what is below it at run time; C warns
// about the unused helpers otherwise.
bool CEmitter::exitsBelow() const {
    return std::any_of(chart.states.begin(), chart.states.end(), [](const State& s) {
        return !s.children.empty() && (!s.events.empty() || !s.completion.empty());
    });
}

std::vector<std::string> CEmitter::fileScopeNames() const {
    const std::string& root = chart.rootClass;
    std::vector<std::string> names = {root, root + "_S_None_", queueSizeMacro(), contextMacro()};
    for (std::string_view word : cnames::cApiWords)
        if (word != "QUEUE_SIZE")
            names.push_back(root + "_" + std::string(word));
    for (const Event& event : chart.events) {
        names.push_back(root + "_" + event.id);
        names.push_back(eventRef(event));
        if (!event.parameters.empty())
            names.push_back(root + "_" + event.id + "_Args");
    }
    if (chart.hasParameters()) {
        names.push_back(root + "_Message");
        names.push_back(root + "_dispatchMessage");
    }
    for (std::string_view word : cRuntimeNames)
        names.emplace_back(word);
    for (const State& state : chart.states) {
        names.push_back(root + "_S_" + state.id);
        for (const std::string* fn : {&state.entryFn, &state.exitFn, &state.reactFn})
            if (!fn->empty())
                names.push_back(*fn);
        for (const EventGroup& group : state.events)
            for (const Branch& branch : group.branches)
                for (const std::string* fn : {&branch.guardFn, &branch.effectFn})
                    if (!fn->empty())
                        names.push_back(*fn);
        for (const Branch& branch : state.completion)
            for (const std::string* fn : {&branch.guardFn, &branch.effectFn})
                if (!fn->empty())
                    names.push_back(*fn);
        if (!state.completeFn.empty())
            names.push_back(state.completeFn);
    }
    if (chart.hasCompletion()) {
        names.push_back(eventRef(chart.completion));
        names.emplace_back("complete_");
    }
    return names;
}

void CEmitter::writeHeader(std::ostream& out) const {
    CodePrinter p(out);
    const std::string macro = queueSizeMacro();
    const std::string guard = chart.rootClass + "_H";
    const std::string none = stateRef(cTopLevel);
    const std::string queued = chart.hasParameters() ? chart.rootClass + "_Message" : eventType;
    const CodePrinter::Vars names = {
        {"root", chart.rootClass}, {"ctx", chart.ctxType}, {"macro", macro}, {"guard", guard},
        {"stype", stateType},      {"etype", eventType},   {"none", none},   {"queued", queued}};
    p.print("/* The state machine of the chart $model$, generated by tvc2c from $source$.\n"
            "   Regenerate it from the chart instead of editing it. */\n"
            "#ifndef $guard$\n"
            "#define $guard$\n\n",
            {{"model", cnames::commentText(chart.modelName)},
             {"source", cnames::commentText(chart.sourceName)},
             {"guard", guard}});
    if (!chart.ctxHeader.empty())
        p.print("$include$\n", {{"include", includeLine(chart.ctxHeader)}});
    p.verbatim(chart.includes);
    p.print("\n#include <stdint.h>\n\n"
            "/* Events raised from inside actions wait in a queue of this many places. Define it\n"
            "   as a plain number, the same for every file that includes this header: the\n"
            "   machine's size depends on it, and files disagreeing on it fail to link. */\n"
            "#ifndef $macro$\n"
            "#define $macro$ 16\n"
            "#endif\n"
            "#if $macro$ < 1 || $macro$ > 65535\n"
            "#error \"$macro$ must be a number from 1 to 65535\"\n"
            "#endif\n\n"
            "#ifdef __cplusplus\n"
            "extern \"C\" {\n"
            "#endif\n\n",
            names);
    if (!chart.declarations.empty()) {
        p.verbatim(chart.declarations);
        p.print("\n");
    }
    p.print("/* The chart's states in depth-first order, after the value for no state. */\n"
            "typedef enum $root$_State {\n"
            "    $none$",
            names);
    for (const State& state : chart.states)
        p.print(",\n    $s$", {{"s", chart.rootClass + "_S_" + state.id}});
    p.print("\n} $root$_State;\n\n", names);
    if (chart.events.empty() && !chart.hasCompletion()) {
        p.print("/* The chart has no events. */\n"
                "typedef int $root$_Event;\n\n",
                names);
    } else {
        p.print("/* The chart's events in chart order. */\n"
                "typedef enum $root$_Event {\n",
                names);
        for (std::size_t i = 0; i < chart.events.size(); ++i)
            p.print("    $e$$sep$\n",
                    {{"e", eventRef(chart.events[i])},
                     {"sep", i + 1 < chart.events.size() || chart.hasCompletion() ? "," : ""}});
        if (chart.hasCompletion())
            p.print("    $e$ /* no event: what a completion transition fires on */\n",
                    {{"e", eventRef(chart.completion)}});
        p.print("} $root$_Event;\n\n", names);
    }
    p.print("/* What an event function or $root$_dispatch did with the event. */\n"
            "typedef enum $root$_Result {\n"
            "    $root$_HANDLED, /* a transition fired */\n"
            "    $root$_IGNORED, /* none fired: unhandled, guards false, not started, finished */\n"
            "    $root$_QUEUED,  /* raised by an action: processed after the current event */\n"
            "    $root$_DROPPED  /* raised by an action while the queue was full */\n"
            "} $root$_Result;\n\n",
            names);
    if (chart.hasParameters()) {
        for (const Event& event : chart.events) {
            if (event.parameters.empty())
                continue;
            p.print("/* The arguments of $name$. */\n"
                    "typedef struct $root$_$id$_Args {\n",
                    {{"root", chart.rootClass},
                     {"id", event.id},
                     {"name", cnames::commentText(event.name)}});
            for (const Parameter& param : event.parameters)
                p.print("    $type$ $name$;\n",
                        {{"type", storedType(param.type)}, {"name", param.name}});
            p.print("} $root$_$id$_Args;\n\n", {{"root", chart.rootClass}, {"id", event.id}});
        }
        p.print("/* An event with its arguments, as $root$_dispatchMessage takes it and the queue\n"
                "   holds it: args holds the member named as the event's function when the event\n"
                "   has parameters and is not read otherwise. */\n"
                "typedef struct $root$_Message {\n"
                "    $root$_Event event;\n"
                "    union {\n",
                names);
        for (const Event& event : chart.events)
            if (!event.parameters.empty())
                p.print("        $root$_$id$_Args $id$;\n",
                        {{"root", chart.rootClass}, {"id", event.id}});
        p.print("    } args;\n"
                "} $root$_Message;\n\n",
                names);
    }
    p.print("/* Told what the machine does, in order; any member may be NULL. fired's target is\n"
            "   $none$ for a final state. */\n"
            "typedef struct $root$_Observer {\n"
            "    void (*entered)(void* user, $root$_State state);\n"
            "    void (*exited)(void* user, $root$_State state);\n"
            "    void (*fired)(void* user, $root$_State source, $root$_Event event,\n"
            "                  $root$_State target);\n"
            "    void (*finished)(void* user);\n"
            "    void (*ignored)(void* user, $root$_Event event);\n"
            "    void (*dropped)(void* user, $root$_Event event);\n"
            "} $root$_Observer;\n\n",
            names);
    if (chart.trace)
        p.print("typedef void (*$root$_TraceFn)(void* user, const char* line);\n\n", names);
    p.print("/* Runs to completion: an event raised while another is processed is queued and\n"
            "   processed after it. The fields are the machine's own; use the functions. */\n"
            "typedef struct $root$ {\n"
            "    $ctx$* ctx_;\n"
            "    const $root$_Observer* observer_;\n"
            "    void* observerUser_;\n",
            names);
    if (chart.trace)
        p.print("    $root$_TraceFn traceFn_;\n"
                "    void* traceUser_;\n",
                names);
    p.print("    uint16_t queueHead_;\n"
            "    uint16_t queueCount_;\n"
            "    $stype$ active_; /* the innermost active state */\n",
            names);
    if (chart.hasCompletion())
        p.print("    $stype$ completing_; /* a composite whose final state was reached */\n",
                names);
    for (const State& state : chart.states)
        if (state.history)
            p.print("    $stype$ $id$_history_;\n", {{"stype", stateType}, {"id", state.id}});
    p.print("    uint8_t started_;\n"
            "    uint8_t finished_;\n"
            "    uint8_t busy_;\n"
            "    $queued$ queue_[$macro$];\n"
            "} $root$;\n\n"
            "/* $root$_init is linked under a name holding the queue size. */\n"
            "#define $root$_init $root$_INIT_($macro$)\n"
            "#define $root$_INIT_(size) $root$_INIT2_(size)\n"
            "#define $root$_INIT2_(size) $root$_##size##_init\n\n"
            "/* Must come first; the context must outlive the machine. */\n"
            "void $root$_init($root$* me, $ctx$* ctx);\n"
            "/* Enters the initial states; only the first call does anything. */\n"
            "void $root$_start($root$* me);\n"
            "/* True once the chart's top level has reached a final state; events are then\n"
            "   ignored. */\n"
            "int $root$_isFinished(const $root$* me);\n"
            "/* True for the innermost active state and every state around it. */\n"
            "int $root$_isIn(const $root$* me, $root$_State state);\n"
            "/* The innermost active state; $none$ before start and once finished. */\n"
            "$root$_State $root$_activeState(const $root$* me);\n"
            "/* The chart's names; \"\" for $none$ and values out of range. */\n"
            "const char* $root$_stateName($root$_State state);\n"
            "const char* $root$_eventName($root$_Event event);\n"
            "/* Replaces the observer; NULL for none. user is passed to every call. */\n"
            "void $root$_setObserver($root$* me, const $root$_Observer* observer, void* user);\n",
            names);
    if (chart.trace)
        p.print("/* The trace observer, installed by $root$_init, writes one line per\n"
                "   notification to fn; standard error until set, NULL for silence. */\n"
                "void $root$_setTrace($root$* me, $root$_TraceFn fn, void* user);\n",
                names);
    if (chart.hasParameters())
        p.print(
            "/* Sends the event as its own function does; an event with parameters sent this\n"
            "   way has no arguments and is ignored. */\n"
            "$root$_Result $root$_dispatch($root$* me, $root$_Event event);\n"
            "/* Calls the function of the message's event with the arguments in the message,\n"
            "   which must be those of its own event. */\n"
            "$root$_Result $root$_dispatchMessage($root$* me, const $root$_Message* message);\n",
            names);
    else
        p.print("/* Sends the event as its own function does. */\n"
                "$root$_Result $root$_dispatch($root$* me, $root$_Event event);\n",
                names);
    for (const Event& event : chart.events) {
        if (event.id != event.name)
            p.print("/* $name$ */\n", {{"name", cnames::commentText(event.name)}});
        p.print("$root$_Result $root$_$id$($root$* me$parameters$);\n",
                {{"root", chart.rootClass},
                 {"id", event.id},
                 {"parameters", declaredParameters(event)}});
    }
    p.print("\n#ifdef __cplusplus\n"
            "}\n"
            "#endif\n\n"
            "#endif\n");
}

void CEmitter::writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                                 bool guard, const Event* event) const {
    if (name.empty())
        return;
    p.print("static $type$ $name$($ctx$* const ctx_p$parameters$) {\n"
            "    (void)ctx_p;\n",
            {{"type", guard ? "int" : "void"},
             {"name", name},
             {"ctx", chart.ctxType},
             {"parameters", event ? declaredParameters(*event) : std::string()}});
    // A guard or an effect need not read every argument.
    if (event)
        for (const Parameter& param : event->parameters)
            p.print("    (void)$name$;\n", {{"name", param.name}});
    {
        auto body = p.indent();
        if (guard)
            p.print("return (\n");
        auto inner = p.indent();
        p.verbatim(code);
        // The code keeps lines of its own: a // comment or a preprocessor line in it ends
        // where it ends, and a line spliced onto it is an empty one.
        if (endsInSplice(code))
            p.print("\n");
    }
    if (guard)
        p.print("    ) ? 1 : 0;\n");
    p.print("}\n\n");
}

void CEmitter::writeSource(std::ostream& out) const {
    CodePrinter p(out);
    p.print("/* The state machine of the chart $model$, generated by tvc2c from $source$.\n"
            "   Regenerate it from the chart instead of editing it. */\n"
            "#include \"$header$\"\n\n"
            "#include <stddef.h>\n",
            {{"model", cnames::commentText(chart.modelName)},
             {"source", cnames::commentText(chart.sourceName)},
             {"header", chart.headerFileName}});
    if (chart.trace)
        p.print("#include <stdio.h>\n");
    p.print("\n/* The chart's own code sees the context as the lvalue ctx. */\n"
            "#define ctx (*ctx_p)\n\n");
    for (const State& state : chart.states) {
        writeUserFunction(p, state.entryFn, state.onEntry, false);
        writeUserFunction(p, state.exitFn, state.onExit, false);
        for (const EventGroup& group : state.events)
            for (const Branch& branch : group.branches) {
                const Event& event = chart.events[static_cast<std::size_t>(group.event)];
                writeUserFunction(p, branch.guardFn, branch.guard, true, &event);
                writeUserFunction(p, branch.effectFn, branch.effect, false, &event);
            }
        for (const Branch& branch : state.completion) {
            writeUserFunction(p, branch.guardFn, branch.guard, true, nullptr);
            writeUserFunction(p, branch.effectFn, branch.effect, false, nullptr);
        }
    }
    p.print("#undef ctx\n\n");
    // A context fixed when the file is compiled is no pointer loaded at run time: with its
    // functions known, the compiler calls them directly and can inline them. Defined after the
    // chart's code, which may use the name for itself.
    p.print("/* $macro$, when defined, is the context of every machine in this file,\n"
            "   in place of the one given to init. */\n"
            "#ifdef $macro$\n"
            "#define context_(me) ($macro$)\n"
            "#else\n"
            "#define context_(me) ((me)->ctx_)\n"
            "#endif\n\n",
            {{"macro", contextMacro()}});
    writeTables(p);
    writeObserverCalls(p);
    if (chart.trace)
        writeTraceLayer(p);
    writeRuntime(p);
}

void CEmitter::writeTables(CodePrinter& p) const {
    p.print("static const char* const stateNames_[] = {\"\"");
    for (const State& state : chart.states)
        p.print(", $name$", {{"name", cppnames::stringLiteral(state.className)}});
    p.print("};\n");
    if (!chart.events.empty()) {
        p.print("static const char* const eventNames_[] = {");
        for (std::size_t i = 0; i < chart.events.size(); ++i)
            p.print("$sep$$name$", {{"sep", i == 0 ? "" : ", "},
                                    {"name", cppnames::stringLiteral(chart.events[i].name)}});
        p.print("};\n");
    }
    p.print("/* Each state's parent, indexed by state. */\n"
            "static const $stype$ parents_[] = {$none$",
            {{"stype", stateType}, {"none", stateRef(cTopLevel)}});
    for (const State& state : chart.states)
        p.print(", $parent$", {{"parent", stateRef(state.parent)}});
    p.print("};\n\n");
}

void CEmitter::writeObserverCalls(CodePrinter& p) const {
    const CodePrinter::Vars names = {{"root", chart.rootClass}};
    // Without an observer each costs one test of a pointer that stays NULL.
    p.print("static void entered_(const $root$* me, int s) {\n"
            "    if (me->observer_ && me->observer_->entered)\n"
            "        me->observer_->entered(me->observerUser_, ($root$_State)s);\n"
            "}\n\n",
            names);
    if (exitsBelow() || chart.hasCompletion() ||
        std::any_of(chart.states.begin(), chart.states.end(),
                    [](const State& s) { return !s.events.empty(); }))
        p.print("static void exited_(const $root$* me, int s) {\n"
                "    if (me->observer_ && me->observer_->exited)\n"
                "        me->observer_->exited(me->observerUser_, ($root$_State)s);\n"
                "}\n\n"
                "static void fired_(const $root$* me, int source, int e, int target) {\n"
                "    if (me->observer_ && me->observer_->fired)\n"
                "        me->observer_->fired(me->observerUser_, ($root$_State)source,\n"
                "                             ($root$_Event)e, ($root$_State)target);\n"
                "}\n\n",
                names);
    bool finishes = false;
    for (const State& state : chart.states)
        for (const EventGroup& group : state.events)
            for (const Branch& branch : group.branches)
                finishes = finishes || (branch.target == cFinal && branch.completes == cTopLevel);
    for (const State& state : chart.states)
        for (const Branch& branch : state.completion)
            finishes = finishes || (branch.target == cFinal && branch.completes == cTopLevel);
    if (finishes)
        p.print("static void finished_(const $root$* me) {\n"
                "    if (me->observer_ && me->observer_->finished)\n"
                "        me->observer_->finished(me->observerUser_);\n"
                "}\n\n",
                names);
    if (!chart.events.empty())
        p.print("static void ignored_(const $root$* me, int e) {\n"
                "    if (me->observer_ && me->observer_->ignored)\n"
                "        me->observer_->ignored(me->observerUser_, ($root$_Event)e);\n"
                "}\n\n"
                "static void dropped_(const $root$* me, int e) {\n"
                "    if (me->observer_ && me->observer_->dropped)\n"
                "        me->observer_->dropped(me->observerUser_, ($root$_Event)e);\n"
                "}\n\n",
                names);
}

void CEmitter::writeTraceLayer(CodePrinter& p) const {
    // Long enough for the longest line the chart can produce: "SOURCE -EVENT-> TARGET".
    std::size_t longestState = 5;
    std::size_t longestEvent = 0;
    for (const State& state : chart.states)
        longestState = std::max(longestState, state.className.size());
    for (const Event& event : chart.events)
        longestEvent = std::max(longestEvent, event.name.size());
    const std::string size = std::to_string(2 * longestState + longestEvent + 32);
    const std::string none = stateRef(cTopLevel);
    const CodePrinter::Vars names = {{"root", chart.rootClass}, {"size", size}, {"none", none}};
    p.print(
        "/* -g: an observer that writes what it is told as lines, to standard error until\n"
        "   set otherwise. */\n"
        "static void traceToStderr_(void* user, const char* line) {\n"
        "    (void)user;\n"
        "    fprintf(stderr, \"%s\\n\", line);\n"
        "}\n\n"
        "static void traceLine_(const void* machine, const char* a, const char* b,\n"
        "                       const char* c, const char* d, const char* e) {\n"
        "    const $root$* me = (const $root$*)machine;\n"
        "    char line[$size$];\n"
        "    if (!me->traceFn_)\n"
        "        return;\n"
        "    snprintf(line, sizeof line, \"%s%s%s%s%s\", a, b, c, d, e);\n"
        "    me->traceFn_(me->traceUser_, line);\n"
        "}\n\n"
        "static void traceEntered_(void* me, $root$_State s) {\n"
        "    traceLine_(me, \"enter \", $root$_stateName(s), \"\", \"\", \"\");\n"
        "}\n\n"
        "static void traceExited_(void* me, $root$_State s) {\n"
        "    traceLine_(me, \"exit \", $root$_stateName(s), \"\", \"\", \"\");\n"
        "}\n\n"
        "static void traceFired_(void* me, $root$_State source, $root$_Event e,\n"
        "                        $root$_State target) {\n"
        "    traceLine_(me, $root$_stateName(source), \" -\", $root$_eventName(e), \"-> \",\n"
        "               target == $none$ ? \"final\" : $root$_stateName(target));\n"
        "}\n\n"
        "static void traceFinished_(void* me) {\n"
        "    traceLine_(me, \"finished\", \"\", \"\", \"\", \"\");\n"
        "}\n\n"
        "static void traceIgnored_(void* me, $root$_Event e) {\n"
        "    const char* what = $root$_isFinished((const $root$*)me) ? \"ignored (finished): \"\n"
        "                                                          : \"ignored: \";\n"
        "    traceLine_(me, what, $root$_eventName(e), \"\", \"\", \"\");\n"
        "}\n\n"
        "static void traceDropped_(void* me, $root$_Event e) {\n"
        "    traceLine_(me, \"dropped (queue full): \", $root$_eventName(e), \"\", \"\", \"\");\n"
        "}\n\n"
        "static const $root$_Observer traceObserver_ = {traceEntered_, traceExited_,\n"
        "                                               traceFired_,   traceFinished_,\n"
        "                                               traceIgnored_, traceDropped_};\n\n"
        "void $root$_setTrace($root$* me, $root$_TraceFn fn, void* user) {\n"
        "    me->traceFn_ = fn;\n"
        "    me->traceUser_ = user;\n"
        "}\n\n",
        names);
}

void CEmitter::writeRuntime(CodePrinter& p) const {
    const std::string macro = queueSizeMacro();
    const std::string none = stateRef(cTopLevel);
    const std::string initial = stateRef(chart.initial);
    const CodePrinter::Vars names = {
        {"root", chart.rootClass}, {"ctx", chart.ctxType}, {"macro", macro},    {"none", none},
        {"stype", stateType},      {"etype", eventType},   {"initial", initial}};
    // Declarations first: the reactions and the runtime call each other.
    if (!chart.events.empty())
        p.print("static void process_($root$* me, $param$);\n",
                {{"root", chart.rootClass}, {"param", eventParameter()}});
    for (const State& state : chart.states)
        if (!state.events.empty())
            p.print(
                "static inline int $react$($root$* me, $param$);\n",
                {{"root", chart.rootClass}, {"react", state.reactFn}, {"param", eventParameter()}});
    if (chart.hasCompletion())
        p.print("static void complete_($root$* me);\n", names);
    p.print("\n"
            "void $root$_init($root$* me, $ctx$* ctx) {\n"
            "    me->ctx_ = ctx;\n",
            names);
    if (chart.trace)
        p.print("    me->observer_ = &traceObserver_;\n"
                "    me->observerUser_ = me;\n"
                "    me->traceFn_ = traceToStderr_;\n"
                "    me->traceUser_ = NULL;\n");
    else
        p.print("    me->observer_ = NULL;\n"
                "    me->observerUser_ = NULL;\n");
    p.print("    me->queueHead_ = 0;\n"
            "    me->queueCount_ = 0;\n"
            "    me->active_ = $none$;\n",
            names);
    if (chart.hasCompletion())
        p.print("    me->completing_ = $none$;\n", names);
    for (const State& state : chart.states)
        if (state.history)
            p.print("    me->$id$_history_ = $none$;\n", {{"id", state.id}, {"none", none}});
    p.print("    me->started_ = 0;\n"
            "    me->finished_ = 0;\n"
            "    me->busy_ = 0;\n"
            "}\n\n"
            "int $root$_isFinished(const $root$* me) {\n"
            "    return me->finished_;\n"
            "}\n\n"
            "int $root$_isIn(const $root$* me, $root$_State state) {\n"
            "    int s = me->active_;\n"
            "    while (s != $none$) {\n"
            "        if (s == (int)state)\n"
            "            return 1;\n"
            "        s = parents_[s];\n"
            "    }\n"
            "    return 0;\n"
            "}\n\n"
            "$root$_State $root$_activeState(const $root$* me) {\n"
            "    return ($root$_State)me->active_;\n"
            "}\n\n"
            "const char* $root$_stateName($root$_State state) {\n"
            "    return (unsigned)state < sizeof stateNames_ / sizeof stateNames_[0]\n"
            "               ? stateNames_[state]\n"
            "               : \"\";\n"
            "}\n\n",
            names);
    if (chart.events.empty())
        p.print("const char* $root$_eventName($root$_Event event) {\n"
                "    (void)event;\n"
                "    return \"\";\n"
                "}\n\n",
                names);
    else
        p.print("const char* $root$_eventName($root$_Event event) {\n"
                "    return (unsigned)event < sizeof eventNames_ / sizeof eventNames_[0]\n"
                "               ? eventNames_[event]\n"
                "               : \"\";\n"
                "}\n\n",
                names);
    p.print("void $root$_setObserver($root$* me, const $root$_Observer* observer, void* user) {\n"
            "    me->observer_ = observer;\n"
            "    me->observerUser_ = user;\n"
            "}\n\n"
            "static void enter_($root$* me, int s) {\n"
            "    me->active_ = ($stype$)s;\n"
            "    entered_(me, s);\n",
            names);
    {
        auto body = p.indent();
        writeEnterSwitch(p, untraced, stepSyntax(), "s");
    }
    p.print("}\n\n");
    if (exitsBelow())
        writeExitHelpers(p);
    p.print("/* Default entry below the innermost active state: history, else the initial\n"
            "   state. */\n"
            "static void enterDefault_($root$* me) {\n",
            names);
    {
        auto body = p.indent();
        writeDefaultEntry(p, untraced, stepSyntax());
    }
    p.print("}\n\n");
    if (chart.hasParameters())
        p.print("/* Queues the event with its arguments when it is raised during a run to\n"
                "   completion. */\n"
                "static $root$_Result enqueue_($root$* me, const $root$_Message* m) {\n"
                "    if (me->queueCount_ == $macro$) {\n"
                "        dropped_(me, (int)m->event);\n"
                "        return $root$_DROPPED;\n"
                "    }\n"
                "    me->queue_[(me->queueHead_ + me->queueCount_) % $macro$] = *m;\n"
                "    ++me->queueCount_;\n"
                "    return $root$_QUEUED;\n"
                "}\n\n"
                "static void drain_($root$* me) {\n"
                "    while (me->queueCount_ > 0) {\n"
                "        /* A copy: the event's actions may queue into the place it leaves. */\n"
                "        const $root$_Message next = me->queue_[me->queueHead_];\n"
                "        me->queueHead_ = (uint16_t)((me->queueHead_ + 1) % $macro$);\n"
                "        --me->queueCount_;\n"
                "        process_(me, &next);\n"
                "    }\n"
                "}\n\n",
                names);
    else if (!chart.events.empty())
        p.print("/* Queues the event when it is raised during a run to completion. */\n"
                "static $root$_Result enqueue_($root$* me, int e) {\n"
                "    if (me->queueCount_ == $macro$) {\n"
                "        dropped_(me, e);\n"
                "        return $root$_DROPPED;\n"
                "    }\n"
                "    me->queue_[(me->queueHead_ + me->queueCount_) % $macro$] = ($etype$)e;\n"
                "    ++me->queueCount_;\n"
                "    return $root$_QUEUED;\n"
                "}\n\n"
                "static void drain_($root$* me) {\n"
                "    while (me->queueCount_ > 0) {\n"
                "        const int next = me->queue_[me->queueHead_];\n"
                "        me->queueHead_ = (uint16_t)((me->queueHead_ + 1) % $macro$);\n"
                "        --me->queueCount_;\n"
                "        process_(me, next);\n"
                "    }\n"
                "}\n\n",
                names);
    p.print("void $root$_start($root$* me) {\n"
            "    if (me->started_)\n"
            "        return;\n"
            "    me->started_ = 1;\n"
            "    me->busy_ = 1;\n"
            "    enter_(me, $initial$);\n"
            "    enterDefault_(me);\n",
            names);
    if (chart.hasCompletion())
        p.print("    complete_(me);\n");
    if (!chart.events.empty())
        p.print("    drain_(me);\n");
    p.print("    me->busy_ = 0;\n"
            "}\n\n");
    if (!chart.events.empty()) {
        p.print("/* The innermost active state first, then outwards; the first that fires a\n"
                "   transition ends the search. */\n"
                "static void process_($root$* me, $param$) {\n",
                {{"root", chart.rootClass}, {"param", eventParameter()}});
        {
            auto body = p.indent();
            writeSearch(p, nullptr);
            if (chart.hasCompletion())
                p.print("if (fired)\n"
                        "    complete_(me);\n");
        }
        p.print("}\n\n");
    }
    writeEventFunctions(p);
    for (const State& state : chart.states)
        if (!state.events.empty())
            writeReact(p, state);
    if (chart.hasCompletion())
        writeCompletion(p);
}

void CEmitter::writeCompletion(CodePrinter& p) const {
    for (std::size_t i = 0; i < chart.states.size(); ++i) {
        const State& state = chart.states[i];
        if (state.completion.empty())
            continue;
        p.print("/* Tries the state's completion transitions once, in dispatch order; 1 when one\n"
                "   fired. */\n"
                "static int $fn$($root$* me) {\n",
                {{"root", chart.rootClass}, {"fn", state.completeFn}});
        {
            auto body = p.indent();
            for (const Branch& branch : state.completion)
                writeBranch(p, static_cast<int>(i), branch, chart.completion);
            if (!state.completion.back().guardFn.empty())
                p.print("return 0;\n");
        }
        p.print("}\n\n");
    }
    p.print("/* Run after every transition that fired, within the same run to completion. */\n"
            "static void complete_($root$* me) {\n",
            {{"root", chart.rootClass}});
    {
        auto body = p.indent();
        writeCompletionLoop(p, untraced, stepSyntax());
    }
    p.print("}\n\n");
}

void CEmitter::writeEventFunctions(CodePrinter& p) const {
    const std::string& root = chart.rootClass;
    if (chart.hasParameters()) {
        writeMessageDispatch(p);
    } else {
        p.print("$root$_Result $root$_dispatch($root$* me, $root$_Event event) {\n",
                {{"root", root}});
        if (chart.events.empty()) {
            p.print("    (void)me;\n"
                    "    (void)event;\n");
        } else {
            p.print("    switch (event) {\n");
            for (const Event& event : chart.events)
                p.print("    case $e$:\n"
                        "        return $root$_$id$(me);\n",
                        {{"e", eventRef(event)}, {"root", root}, {"id", event.id}});
            if (chart.hasCompletion())
                p.print("    case $e$:\n"
                        "        break;\n",
                        {{"e", eventRef(chart.completion)}});
            p.print("    }\n");
        }
        p.print("    return $root$_IGNORED;\n"
                "}\n\n",
                {{"root", root}});
    }
    for (const Event& event : chart.events) {
        const std::string e = eventRef(event);
        const std::string parameters = declaredParameters(event);
        const CodePrinter::Vars names = {
            {"root", root}, {"id", event.id}, {"e", e}, {"parameters", parameters}};
        p.print("$root$_Result $root$_$id$($root$* me$parameters$) {\n", names);
        if (chart.hasParameters()) {
            // Only the event's own arguments are set; nothing reads the rest of the union.
            p.print("    $root$_Message m;\n"
                    "    m.event = $e$;\n",
                    names);
            for (const Parameter& param : event.parameters)
                p.print("    m.args.$id$.$name$ = $name$;\n",
                        {{"id", event.id}, {"name", param.name}});
        }
        p.print("    if (me->busy_)\n"
                "        return enqueue_(me, $e$);\n"
                "    me->busy_ = 1;\n",
                {{"e", chart.hasParameters() ? "&m" : eventRef(event)}});
        {
            auto body = p.indent();
            const std::string flat = flatSearch(event);
            if (flat.empty())
                writeSearch(p, &event);
            else
                p.verbatim(flat);
            if (chart.hasCompletion())
                p.print("if (fired)\n"
                        "    complete_(me);\n");
            p.print("if (me->queueCount_ > 0)\n"
                    "    drain_(me);\n"
                    "me->busy_ = 0;\n"
                    "return fired ? $root$_HANDLED : $root$_IGNORED;\n",
                    {{"root", root}});
        }
        p.print("}\n\n");
    }
}

void CEmitter::writeMessageDispatch(CodePrinter& p) const {
    const CodePrinter::Vars names = {{"root", chart.rootClass}};
    p.print("$root$_Result $root$_dispatch($root$* me, $root$_Event event) {\n"
            "    switch (event) {\n",
            names);
    for (const Event& event : chart.events)
        if (event.parameters.empty())
            p.print("    case $e$:\n"
                    "        return $root$_$id$(me);\n",
                    {{"e", eventRef(event)}, {"root", chart.rootClass}, {"id", event.id}});
    p.print("    default:\n"
            "        break;\n"
            "    }\n"
            "    /* Without its arguments an event cannot run its guards and effects. */\n"
            "    ignored_(me, (int)event);\n"
            "    return $root$_IGNORED;\n"
            "}\n\n"
            "$root$_Result $root$_dispatchMessage($root$* me, const $root$_Message* message) {\n"
            "    switch (message->event) {\n",
            names);
    for (const Event& event : chart.events) {
        std::string arguments = passedArguments(event, "message");
        p.print("    case $e$:\n"
                "        return $root$_$id$(me$arguments$);\n",
                {{"e", eventRef(event)},
                 {"root", chart.rootClass},
                 {"id", event.id},
                 {"arguments", arguments}});
    }
    if (chart.hasCompletion())
        p.print("    case $e$:\n"
                "        break;\n",
                {{"e", eventRef(chart.completion)}});
    p.print("    }\n"
            "    ignored_(me, (int)message->event);\n"
            "    return $root$_IGNORED;\n"
            "}\n\n",
            names);
}

void CEmitter::writeExitHelpers(CodePrinter& p) const {
    const std::string none = stateRef(cTopLevel);
    const CodePrinter::Vars names = {{"root", chart.rootClass}, {"none", none}};
    p.print("/* A state with history remembers the direct sub-state that was active. */\n"
            "static void exit_($root$* me, int s, int activeChild) {\n"
            "    (void)activeChild;\n"
            "    exited_(me, s);\n",
            names);
    {
        auto body = p.indent();
        writeExitSwitch(p, untraced, stepSyntax(), "s", "activeChild");
    }
    p.print("}\n\n"
            "/* Exits from the innermost active state up to, not including, stop; returns\n"
            "   the last state exited. */\n"
            "static int exitTo_($root$* me, int stop) {\n"
            "    int child = $none$;\n"
            "    while (me->active_ != stop) {\n"
            "        const int s = me->active_;\n"
            "        me->active_ = parents_[s];\n"
            "        exit_(me, s, child);\n"
            "        child = s;\n"
            "    }\n"
            "    return child;\n"
            "}\n\n",
            names);
}

// The search leaves the local fired telling whether a transition fired.
void CEmitter::writeSearch(CodePrinter& p, const Event* event) const {
    const bool messages = chart.hasParameters();
    const std::string e = event ? eventRef(*event) : messages ? "(int)m->event" : "e";
    // The reactions take the message where the chart's events carry arguments.
    const std::string reacted = !messages ? e : event ? "&m" : "m";
    p.print("int fired = 0;\n");
    // The shared search finds the event by its place in the chart it is given.
    const Event* same =
        event ? &untraced.events[static_cast<std::size_t>(event - chart.events.data())] : nullptr;
    writeSearchSwitch(p, untraced, same, reacted, stepSyntax());
    p.print("if (!fired)\n"
            "    ignored_(me, $e$);\n",
            {{"e", e}});
}

void CEmitter::writeReact(CodePrinter& p, const State& state) const {
    // Inline, so that an event's function keeps only that event's branches.
    p.print("/* Tries the state's transitions for the event in dispatch order; 1 when one\n"
            "   fired. */\n"
            "static inline int $react$($root$* me, $param$) {\n",
            {{"root", chart.rootClass}, {"react", state.reactFn}, {"param", eventParameter()}});
    {
        auto body = p.indent();
        p.print(chart.hasParameters() ? "switch (m->event) {\n" : "switch (e) {\n");
        const int source = static_cast<int>(&state - chart.states.data());
        for (const EventGroup& group : state.events) {
            const Event& event = chart.events[static_cast<std::size_t>(group.event)];
            p.print("case $e$:\n", {{"e", eventRef(event)}});
            auto inCase = p.indent();
            for (const Branch& branch : group.branches)
                writeBranch(p, source, branch, event);
            // An unguarded branch comes last and always returns.
            if (!group.branches.back().guardFn.empty())
                p.print("break;\n");
        }
        p.print("default:\n"
                "    break;\n"
                "}\n"
                "return 0;\n");
    }
    p.print("}\n\n");
}

// The shared step writer reports through trace lines; the C machine tells its observer.
void CEmitter::writeBranch(CodePrinter& p, int source, const Branch& branch,
                           const Event& event) const {
    // The message always holds its own event's arguments here: the event's function made
    // it, or dispatchMessage was given them.
    const std::string arguments = passedArguments(event, "m");
    if (branch.guardFn.empty())
        p.print("{\n");
    else
        p.print("if ($guard$(context_(me)$arguments$)) {\n",
                {{"guard", branch.guardFn}, {"arguments", arguments}});
    {
        auto body = p.indent();
        writeSteps(p, transitionSteps(chart, source, branch, event), branch, event, cTopLevel,
                   arguments);
        p.print("return 1;\n");
    }
    p.print("}\n");
}

// With `active` the innermost active state (cTopLevel: known only at run time), what lies
// below a composite source is exited state by state and default entry is written out. The
// effect is passed `arguments` after the context.
void CEmitter::writeSteps(CodePrinter& p, const std::vector<Step>& steps, const Branch& branch,
                          const Event& event, int active, const std::string& arguments) const {
    const StepSyntax syntax = stepSyntax();
    int exited = cTopLevel;
    const auto exit = [&](int state, int child, const std::string& fn) {
        p.print(syntax.setActive, {{"s", stateRef(at(state).parent)}});
        if (at(state).history)
            p.print(syntax.setHistory,
                    {{"id", at(state).id},
                     {"child", child == cExitedChild ? "child" : stateRef(child)}});
        p.print("exited_(me, $s$);\n", {{"s", stateRef(state)}});
        if (!fn.empty())
            p.print(syntax.call, {{"fn", fn}});
    };
    for (const Step& step : steps) {
        const std::string s = stateRef(step.state);
        switch (step.kind) {
        case Step::ExitBelow:
            if (active != cTopLevel) {
                for (int below = active; below != step.state; below = at(below).parent) {
                    exit(below, exited, at(below).exitFn);
                    exited = below;
                }
                continue;
            }
            p.print(step.keepChild ? syntax.exitBelowKeep : syntax.exitBelow, {{"s", s}});
            break;
        case Step::Exit:
            exit(step.state,
                 step.child == cExitedChild && active != cTopLevel ? exited : step.child, step.fn);
            continue;
        case Step::Fire:
            p.print("fired_(me, $s$, $e$, $target$);\n",
                    {{"s", s}, {"e", eventRef(event)}, {"target", stateRef(branch.target)}});
            break;
        case Step::Effect:
            break;
        case Step::Finish:
            p.print("me->finished_ = 1;\n"
                    "finished_(me);\n");
            break;
        case Step::Enter:
            p.print(syntax.setActive, {{"s", s}});
            p.print("entered_(me, $s$);\n", {{"s", s}});
            break;
        case Step::EnterDefault:
            if (active != cTopLevel)
                writeKnownDefaultEntry(p, chart, syntax, "entered_(me, $s$);\n", step.state);
            else
                p.print(syntax.enterDefault);
            break;
        case Step::Complete:
            p.print(syntax.complete, {{"s", s}});
            break;
        }
        if (!step.fn.empty())
            p.print("$fn$(context_(me)$arguments$);\n",
                    {{"fn", step.fn},
                     {"arguments", step.kind == Step::Effect ? arguments : std::string()}});
    }
}

std::string CEmitter::flatSearch(const Event& event) const {
    // Written in the event's function: the arguments are its parameters.
    std::string arguments;
    for (const Parameter& param : event.parameters)
        arguments += ", " + param.name;
    std::ostringstream text;
    CodePrinter p(text);
    p.print("int fired = 0;\n"
            "switch (me->active_) {\n");
    writeFlatCases(p, chart, event,
                   {[this](int s) { return stateRef(s); }, "/* $source$ -$event$-> $target$ */\n",
                    [](std::string_view name) { return cnames::commentText(name); },
                    "if ($guard$(context_(me)" + arguments + ")) {\n", "fired = 1;\n",
                    [&](CodePrinter& out, int source, const Branch& branch, int active) {
                        writeSteps(out, transitionSteps(chart, source, branch, event), branch,
                                   event, active, arguments);
                    }});
    p.print("default:\n"
            "    break;\n"
            "}\n"
            "if (!fired)\n"
            "    ignored_(me, $e$);\n",
            {{"e", eventRef(event)}});
    const std::string out = text.str();
    if (static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) >
        flatLineLimit(cnames::kFlatLines))
        return {};
    return out;
}

// What a state's reaction and process_ take: the event, or the message with its arguments.
std::string CEmitter::eventParameter() const {
    return chart.hasParameters() ? "const " + chart.rootClass + "_Message* m" : "int e";
}

StepSyntax CEmitter::stepSyntax() const {
    return {"exitTo_(me, $s$);\n",
            "const int child = exitTo_(me, $s$);\n",
            "me->active_ = $s$;\n",
            "me->$id$_history_ = (" + stateType + ")$child$;\n",
            "me->finished_ = 1;\n",
            "enterDefault_(me);\n",
            "me->completing_ = $s$;\n",
            "me->completing_",
            "$fn$(me)",
            "$fn$(context_(me));\n",
            "",
            "int",
            "me->active_",
            "me->$id$_history_",
            "enter_(me, $s$);\n",
            "$fn$(me, $e$)",
            "$guard$(context_(me))",
            "return 1;\n",
            [this](int s) { return stateRef(s); },
            [](std::string_view text) { return cppnames::stringLiteral(text); }};
}
