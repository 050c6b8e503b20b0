#pragma once
// The conformance context as a Qt SCXML C++ data model: the exported charts' code runs in
// the data model, so `ctx` names the data model itself. Lines are collected for comparison.

#include <QScxmlCppDataModel>
#include <QScxmlStateMachine>

#include <map>
#include <string>
#include <vector>

class CtxBase : public QScxmlCppDataModel {
public:
    CtxBase& ctx = *this;

    void log(const std::string& line) { lines.push_back(line); }
    bool flag(const std::string& name) const {
        const auto it = flags.find(name);
        return it != flags.end() && it->second;
    }
    // After the event being processed, as the queue of a generated machine does.
    void raise(const std::string& event) {
        stateMachine()->submitEvent(QString::fromStdString(event));
    }

    std::map<std::string, bool> flags;
    std::vector<std::string> lines;
};

#include <functional>
#include <memory>

// Each case's compiled machine registers itself under the case's folder name.
struct ScxmlCase {
    std::function<std::unique_ptr<QScxmlStateMachine>()> machine;
    std::function<std::unique_ptr<CtxBase>()> context;
};
bool registerScxmlCase(const char* name, ScxmlCase entry);
