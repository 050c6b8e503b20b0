#pragma once
// Writes the Java or C# state machine of a chart: one class holding the machine, public enums
// of its states, events and results, an observer, a switch per state over the events, and the
// chart's code in private methods of its own. The two languages differ only in their words.

#include "generators/common/code_printer.h"
#include "generators/common/machine_chart.h"
#include "generators/common/machine_walk.h"
#include "generators/common/managed_names.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

// Above this many lines an event's method calls the compact search instead of its own
// written-out one.
inline constexpr std::size_t kManagedFlatLines = 600;

class ManagedEmitter {
public:
    // publicClass false: the class is package-private (Java, a file named differently).
    ManagedEmitter(const genchart::Chart& model, managednames::Language language,
                   std::string package, bool publicClass);

    void write(std::ostream& out) const;

private:
    void writeApi(CodePrinter& p) const;
    void writeEnums(CodePrinter& p) const;
    void writeObserver(CodePrinter& p) const;
    void writeMembers(CodePrinter& p) const;
    void writeFields(CodePrinter& p) const;
    void writeRuntime(CodePrinter& p) const;
    void writeStructure(CodePrinter& p) const;
    void writeTrace(CodePrinter& p) const;
    void writeReact(CodePrinter& p, const genchart::State& state) const;
    // complete_ and each state's function trying its completion transitions.
    void writeCompletion(CodePrinter& p) const;
    void writeBranch(CodePrinter& p, const genchart::State& state, const genchart::Branch& branch,
                     const genchart::Event& event) const;
    genchart::StepSyntax stepSyntax() const;
    std::string flatEvent(const genchart::Event& event) const;
    void writeSteps(CodePrinter& p, int source, const genchart::Branch& branch,
                    const genchart::Event& event, std::optional<int> active,
                    const std::string& arguments) const;
    void writeUserCode(CodePrinter& p) const;
    void writeUserFunction(CodePrinter& p, const std::string& name, const std::string& code,
                           bool guard, const genchart::Event* event = nullptr) const;
    // A chart whose events carry arguments: the Message type, its arguments' types and the
    // dispatch methods taking an Event or a Message.
    void writeMessage(CodePrinter& p) const;
    std::string dispatchers() const;
    std::string argsType(const genchart::Event& event) const;  // ReceivedArgs
    std::string argsField(const genchart::Event& event) const; // receivedArgs, ReceivedArgs

    // The language's words and the machine's names, followed by the extra ones.
    CodePrinter::VarList vars(CodePrinter::Vars extra = {}) const;
    const genchart::State& at(int index) const;
    std::string stateRef(int index) const;  // the internal number
    std::string stateEnum(int index) const; // the public enum value
    std::string literal(std::string_view text) const;
    std::string comment(std::string_view text) const;
    bool java() const { return language == managednames::Language::Java; }

    const genchart::Chart& chart;
    // The same chart for the shared switches, which then leave notifications to this emitter:
    // the observer is there with or without -g.
    genchart::Chart untraced;
    managednames::Language language;
    std::string package;
    bool publicClass;
    CodePrinter::VarList words;
};
