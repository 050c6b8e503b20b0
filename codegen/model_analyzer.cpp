#include "codegen/model_analyzer.h"

#include "codegen/initial_state_ex.h"
#include "codegen/state_machine.h"

#include <memory>
#include <string>

StateMachine* ModelAnalyzer::analyze(ProgressCallback cb) {
    callback = cb;
    std::unique_ptr<StateMachine> root(buildHeirarchy());
    checkConstraints();
    return root.release();
}

StateMachine* ModelAnalyzer::buildHeirarchy() {
    auto root = std::make_unique<StateMachine>();
    std::string message;
    for (Shape* shape : shapes) {
        if (auto* state = dynamic_cast<GenericStateEx*>(shape)) {
            reportProgress(callback, "Analysing State " + state->getName());
            const short result = root->adoptSubState(state, message);
            if (result == 0)
                throw std::string("Internal Logic Error");
            if (result < 0)
                throw "Error in Model: " + message;
        } else if (auto* initial = dynamic_cast<InitialStateEx*>(shape)) {
            reportProgress(callback, "Analysing State " + initial->getName());
            const short result = root->adoptInitialState(initial, message);
            if (result == 0)
                throw std::string("Internal Logic Error");
            if (result < 0)
                throw "Error in Model: " + message;
        }
    }
    return root.release();
}

void ModelAnalyzer::checkConstraints() {
    reportProgress(callback, "Checking for model constraints...");
    for (Shape* shape : shapes)
        if (auto* checked = dynamic_cast<Generatable*>(shape))
            checked->assertValid();
}
