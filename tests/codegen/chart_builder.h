#pragma once
// Charts built in code for the front end's tests: a generator whose shapes are added by hand,
// a recorder for progress lines and a scratch folder per test.

#include "codegen/code_generator.h"
#include "codegen/final_state_ex.h"
#include "codegen/initial_state_ex.h"
#include "codegen/mesg_ex.h"
#include "codegen/model_analyzer.h"
#include "codegen/model_info.h"
#include "codegen/transition_ex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <vector>

// ProgressCallback is a plain function, so the lines go to one shared list.
inline std::vector<std::string>& progressLines() {
    static std::vector<std::string> lines;
    return lines;
}
inline void recordProgress(const std::string& line) {
    progressLines().push_back(line);
}

class TestGenerator : public CodeGenerator {
public:
    explicit TestGenerator(const std::string& path) : CodeGenerator(path) {
        properties.name = "Door";
    }

    template <class S> S* add(S* shape) {
        shapes.push_back(shape);
        return shape;
    }
    GenericStateEx* state(long id, const CRect& r, const std::string& name) {
        return add(new GenericStateEx(id, nullptr, r, name));
    }
    InitialStateEx* initial(long id, const CRect& r, const std::string& name = "init") {
        auto* s = add(new InitialStateEx(id, nullptr, r));
        s->setName(name);
        return s;
    }
    FinalStateEx* finalState(long id, const CRect& r) {
        auto* s = add(new FinalStateEx(id, nullptr, r));
        s->setName("Done");
        return s;
    }
    // Ends are joined by id when the shapes are constructed; 0 leaves an end free.
    TransitionEx* transition(long id, long from, long to) {
        auto* t = add(new TransitionEx(id, nullptr, {0, 0}, {0, 10}));
        t->setHeadStateId(from);
        t->setTailStateId(to);
        return t;
    }
    MesgEx* label(long id, TransitionEx* t, const std::string& event, const std::string& guard = "",
                  const std::string& effect = "") {
        auto* m = add(new MesgEx(id, nullptr, {0, 0, 10, 6}, t));
        m->getTextHandler()->setData(event, guard, effect);
        return m;
    }

    void construct() { constructShapes(); }
    StateMachine* analyse() {
        constructShapes();
        rootMachine.reset(ModelAnalyzer(shapes).analyze(recordProgress));
        return rootMachine.get();
    }
    void fill() { // what generate runs after reading
        analyse();
        fillInfo(recordProgress);
    }
    using CodeGenerator::properties;

    std::string headerAppend = "TN.h";
    bool generated = false;

protected:
    void generateCode() override { generated = true; }
    std::string getheaderfileappend() override { return headerAppend; }
};

class CodegenTest : public ::testing::Test {
protected:
    CodegenTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("tavren_codegen_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        progressLines().clear();
    }
    ~CodegenTest() override { std::filesystem::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    void writeFile(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    static ModelInfo& info() { return *ModelInfo::getInstance(); }

    std::filesystem::path dir;
};

// Each state record on one line: class < parent, nesting, sub-states, history, entry/exit and
// the labelled transitions as event[guard]/effect->target#id.
inline std::list<std::string> stateRecords() {
    std::list<std::string> out;
    for (const StateInfo& s : ModelInfo::getInstance()->stateInfos) {
        std::string line = s.className + " < " + s.parentClassName + " " +
                           std::to_string(s.nesting) + (s.history ? " H" : "") + " {";
        for (const std::string& sub : s.subStateClassNames)
            line += sub + ",";
        line += "} " + s.entryExit.onEntry + s.entryExit.onExit;
        for (const MesgInfo& m : s.transitions)
            line += " " + m.event + "[" + m.guard + "]/" + m.effect + "->" + m.targetClassName +
                    "#" + std::to_string(m.targetId);
        out.push_back(line);
    }
    return out;
}

inline std::string slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text a failing step throws.
template <class F> std::string thrownBy(F&& step) {
    try {
        step();
    } catch (const std::string& message) {
        return message;
    }
    return "<nothing thrown>";
}
