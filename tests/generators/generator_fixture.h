#pragma once
// What the generator tests share: a scratch folder per test, charts built in code and saved
// as model files, and the programs under test run from the outside.

#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/generators/run_program.h"
#include "view/layout_mgr.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A value read back through an XML parser (xmllint prints it with a line feed).
inline std::string xpath(const std::filesystem::path& file, const std::string& expression) {
    ProgramResult r = runProgram({"xmllint", "--xpath", expression, file.string()});
    if (!r.out.empty() && r.out.back() == '\n')
        r.out.pop_back();
    return r.out;
}

inline bool validates(const std::filesystem::path& file) {
    return runProgram({"xmllint", "--noout", "--schema", TAVREN_CHART_SCHEMA, file.string()})
               .status == 0;
}

// A chart drawn through the editor's view, as the insert tools would leave it.
// The conformance cases: every folder of tests/conformance that holds a chart.
inline std::filesystem::path conformanceFolder() {
    return std::filesystem::path(TAVREN_EXAMPLES).parent_path() / "tests" / "conformance";
}

// The cases in name order.
inline std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(conformanceFolder()))
        if (entry.is_directory() && std::filesystem::exists(entry.path() / "chart.tvc"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class TestChart {
public:
    GenericState* state(const CRect& r, const std::string& name, const std::string& entry = "",
                        const std::string& exit = "") {
        auto* s = new GenericState(mm.getNewId(), &view, r, name);
        s->getTextHandler()->setData(entry, exit);
        mm.addShape(s);
        return s;
    }
    InitialState* initial(const CRect& r) {
        auto* s = new InitialState(mm.getNewId(), &view, r);
        mm.addShape(s);
        return s;
    }
    FinalState* finalState(const CRect& r) {
        auto* s = new FinalState(mm.getNewId(), &view, r);
        mm.addShape(s);
        return s;
    }
    // Both ends attached and routed; a null target leaves the tail end free.
    Transition* connect(State* from, NODE fromNode, State* to, NODE toNode) {
        const CPoint tail = to ? to->getAnchorPoint(toNode) : CPoint(5, 200);
        auto* t = new Transition(mm.getNewId(), &view, from->getAnchorPoint(fromNode), tail);
        t->setHeadNode(fromNode);
        t->setHeadStateId(from->getObjId());
        if (to) {
            t->setTailNode(toNode);
            t->setTailStateId(to->getObjId());
        }
        mm.addShape(t);
        t->reCalculate(dynamic_cast<StartableState*>(from));
        if (auto* target = dynamic_cast<EndableState*>(to))
            t->reCalculate(target);
        return t;
    }
    void label(Transition* t, const std::string& event, const std::string& guard = "",
               const std::string& effect = "") {
        auto* m = new Mesg(mm.getNewId(), &view, CRect(300, 300, 330, 306), t);
        mm.addShape(m);
        m->getTextHandler()->setData(event, guard, effect);
    }
    // Loose shapes: a label on no transition, a note with a line to nowhere.
    void looseLabel(const CRect& r, const std::string& event) {
        auto* m = new Mesg(mm.getNewId(), &view, r, nullptr);
        mm.addShape(m);
        m->getTextHandler()->setData(event, "", "");
    }
    void looseNoteLine(const CRect& r) {
        mm.addShape(new Note(mm.getNewId(), &view, r));
        mm.addShape(
            new Line(mm.getNewId(), &view, r.BottomRight(), r.BottomRight() + CSize(40, 40)));
    }
    ModelProperties& properties() { return view.getModelProperties(); }
    void save(const std::filesystem::path& path) {
        std::ofstream out(path, std::ios::binary);
        view.write(out);
    }

private:
    FakePlatform fake;
    LayoutMgr view;
    ModelMgr& mm = *view.getModelMgr();
};

class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("tavren_gen_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
               std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~GeneratorTest() override { std::filesystem::remove_all(dir); }

    std::filesystem::path copyExample(const std::string& name) const {
        std::filesystem::copy_file(std::filesystem::path(TAVREN_EXAMPLES) / name, dir / name);
        return dir / name;
    }
    static ProgramResult tvc2xml(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2XML);
        return runProgram(args);
    }
    // Every file in the scratch folder, by name.
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
            if (entry.is_regular_file())
                names.insert(std::filesystem::relative(entry.path(), dir).string());
        return names;
    }

    std::filesystem::path dir;
};
