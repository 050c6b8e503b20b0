#pragma once
// Diagnostics for a chart beyond what generation refuses: the front end's own failures as
// errors, then what a reader of the chart would want to know (states never entered, dead
// ends, the order guards are tried in, shadowed transitions, dead events, loose shapes,
// names a language will change). Each has a stable id, a severity and the shapes it concerns.

#include <string>
#include <vector>

namespace check {

enum class Severity { Error, Warning, Note };
const char* severityName(Severity severity);

struct ShapeRef {
    std::string name; // as the chart names it (a state's name, an event, a shape's type)
    long id = 0;      // the chart's object id, 0 for none
};

struct Diagnostic {
    std::string rule; // a stable id: "unreachable-state", ...
    Severity severity = Severity::Warning;
    std::string message;
    std::vector<ShapeRef> shapes;
};

struct Rule {
    const char* id;
    Severity severity;
    const char* summary; // one line
    const char* help;    // what to do about it
};
const std::vector<Rule>& rules();

// Every diagnostic for the chart in the file, in a stable order; a file that cannot be read
// gives one error.
std::vector<Diagnostic> checkChart(const std::string& modelPath);

} // namespace check
