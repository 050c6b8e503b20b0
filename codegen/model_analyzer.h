#pragma once
// Turns the flat shape list into the state tree (nesting follows from the rectangles) and
// checks the constraints code generation needs.

#include "codegen/progress_callback.h"
#include "platform/kelmora_export.h"

#include <vector>

class Shape;
class StateMachine;

class KELMORA_API ModelAnalyzer {
public:
    explicit ModelAnalyzer(const std::vector<Shape*>& list) : shapes(list) {}

    // The caller owns the returned root.
    StateMachine* analyze(ProgressCallback callback);

protected:
    // List order matters: a state must come after every state that encloses it.
    StateMachine* buildHeirarchy();
    void checkConstraints();

private:
    std::vector<Shape*> shapes; // not owned
    ProgressCallback callback = nullptr;
};
