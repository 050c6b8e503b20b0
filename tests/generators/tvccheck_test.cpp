// tvccheck from the outside: one small chart per check, the three output formats, and the
// exit status a build server acts on.

#include "tests/generators/generator_fixture.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <map>

namespace {

using TvccheckTest = GeneratorTest;

ProgramResult tvccheck(std::vector<std::string> args) {
    args.insert(args.begin(), TAVREN_TVCCHECK);
    return runProgram(args);
}

// A top-level initial state leading to A; the rest is the case's, states made on first use
// side by side, composites below them.
struct Drawing {
    TestChart chart;
    std::map<std::string, GenericState*> states;
    int x = 100;
    CRect box;
    Drawing() { chart.connect(chart.initial({5, 50, 9, 54}), NODE(2, 1), at("A"), NODE(3, 1)); }
    GenericState* at(const std::string& name) {
        auto& s = states[name];
        const int left = name == "A" ? 10 : x;
        if (!s && (x += left == x ? 100 : 0))
            s = chart.state({left, 10, left + 50, 40}, name);
        return s;
    }
    // A composite holding `inner`, led to by an initial state (labelled `effect`) if asked.
    Drawing& composite(const std::string& name, const std::string& inner, bool initial = true,
                       const std::string& effect = "") {
        box = {x, 60, x + 200, 200};
        states[name] = chart.state(box, name);
        states[inner] = chart.state({x + 20, 100, x + 70, 130}, inner);
        if (initial)
            chart.label(chart.connect(chart.initial({x + 5, 65, x + 9, 69}), NODE(3, 1),
                                      states[inner], NODE(1, 1)),
                        "", "", effect);
        x += 250;
        return *this;
    }
    Drawing& go(const std::string& from, const std::string& to, const std::string& event,
                const std::string& guard = "") {
        chart.label(chart.connect(at(from), NODE(3, 2), at(to), NODE(1, 2)), event, guard);
        return *this;
    }
    Drawing& unlabelled(const std::string& from, const std::string& to) {
        chart.connect(at(from), NODE(3, 2), at(to), NODE(1, 2));
        return *this;
    }
    // To a final state drawn inside the last composite, or with a free end.
    Drawing& toFinal(const std::string& from, const std::string& event) {
        const CRect r(box.left + 150, 150, box.left + 154, 154);
        chart.label(chart.connect(at(from), NODE(3, 2), chart.finalState(r), NODE(4, 1)), event);
        return *this;
    }
    Drawing& free(const std::string& from) {
        chart.label(chart.connect(at(from), NODE(3, 2), nullptr, NODE(1, 1)), "x");
        return *this;
    }
};

struct Case {
    const char* what;
    std::function<void(Drawing&)> draw;
    const char* rule;
    const char* severity;
    const char* message; // a part of the message
    int status = 0;
    bool present = true;
};

} // namespace

TEST_F(TvccheckTest, EachCheckFindsWhatItLooksFor) {
    const std::vector<Case> cases = {
        {"a state nothing leads to", [](Drawing& d) { d.go("B", "A", "back"); },
         "unreachable-state", "warning", "the state B_Check is never entered"},
        {"an event only an unreachable state handles", [](Drawing& d) { d.go("B", "A", "back"); },
         "dead-event", "warning", "the event back does nothing"},
        {"a state without transitions", [](Drawing& d) { d.go("A", "B", "go"); },
         "handles-no-event", "warning", "no event does anything while B_Check is active"},
        {"a state that only returns to itself",
         [](Drawing& d) { d.go("A", "B", "go").go("B", "B", "again"); }, "no-way-out", "warning",
         "once B_Check is entered, no transition leaves it"},
        {"guards tried by length",
         [](Drawing& d) { d.go("A", "B", "go", "x").go("A", "C", "go", "longer"); }, "guard-order",
         "note", "A_Check tries its transitions on go in this order"},
        {"an inner unguarded transition hides outer guarded ones",
         [](Drawing& d) {
             d.composite("P", "C").go("A", "P", "enter").go("C", "A", "go").go("P", "A", "go", "f");
         },
         "shadowed-transition", "warning", "are never tried"},
        {"a composite entered directly without an initial state",
         [](Drawing& d) { d.composite("P", "C", false).go("A", "P", "enter"); }, "no-initial-state",
         "warning", "P_Check is entered directly but has no initial state"},
        {"a composite entered only through the final state drawn in it",
         [](Drawing& d) { d.composite("P", "C", false).toFinal("A", "done").go("P", "A", "back"); },
         "unreachable-state", "warning", "the state P_Check", 0, false},
        {"an eventless transition out of a composite that never completes",
         [](Drawing& d) { d.composite("P", "InP").go("A", "P", "enter").go("P", "A", ""); },
         "completion-never-fires", "warning",
         "the transition from P_Check to A_Check has no event and never fires"},
        {"a guard without an event, the same",
         [](Drawing& d) {
             d.composite("P", "InP").go("A", "P", "e").go("P", "A", "", "ctx.ready");
         },
         "completion-never-fires", "warning", "the transition [ctx.ready] from P_Check"},
        {"an eventless transition out of a composite with a final state of its own",
         [](Drawing& d) {
             d.composite("P", "InP").go("A", "P", "e").toFinal("InP", "done").go("P", "A", "");
         },
         "completion-never-fires", "warning", "", 0, false},
        {"an eventless transition out of a simple state", [](Drawing& d) { d.go("A", "B", ""); },
         "completion-never-fires", "warning", "", 0, false},
        {"a transition without a label", [](Drawing& d) { d.unlabelled("A", "B"); }, "no-label",
         "warning", "the transition from A_Check to B_Check has no label"},
        {"a label on an initial transition",
         [](Drawing& d) { d.composite("P", "C", true, "ctx.log()").go("A", "P", "enter"); },
         "initial-label", "warning",
         "the label \"/ ctx.log()\" on the initial transition of P_Check is ignored"},
        {"a composite entered by default entry without an initial state",
         [](Drawing& d) {
             auto* p = d.chart.state({100, 60, 300, 200}, "P");
             auto* q = d.chart.state({120, 80, 280, 180}, "Q");
             d.chart.state({140, 100, 190, 130}, "Deep");
             d.chart.connect(d.chart.initial({105, 65, 109, 69}), NODE(3, 1), q, NODE(1, 1));
             d.chart.label(d.chart.connect(d.at("A"), NODE(3, 2), p, NODE(1, 2)), "enter");
         },
         "no-initial-state", "warning", "Q_P is entered directly but has no initial state"},
        {"a cycle of transitions without an event",
         [](Drawing& d) { d.go("A", "B", "").go("B", "A", ""); }, "front-end", "error",
         "Eventless transitions form a cycle: A_Check -> B_Check -> A_Check", 1},
        {"two unguarded transitions without an event",
         [](Drawing& d) { d.go("A", "B", "").go("A", "C", ""); }, "front-end", "error",
         "The state A_Check has two transitions without event and without guard", 1},
        {"a state reached and left only without events",
         [](Drawing& d) { d.go("A", "B", "").go("B", "C", "", "ctx.flag"); }, "unreachable-state",
         "warning", "the state C_Check", 0, false},
        {"the same: no dead end", [](Drawing& d) { d.go("A", "B", ""); }, "handles-no-event",
         "warning", "while A_Check is active", 0, false},
        {"history on a leaf", [](Drawing& d) { d.at("A")->setHistory(true); }, "useless-history",
         "warning", "A_Check keeps history but has no sub-states"},
        {"two events one name",
         [](Drawing& d) { d.go("A", "B", "door-open").go("A", "C", "door_open"); }, "name-clash",
         "error", "C++: The events \"door-open\" and \"door_open\" would both be named door_open",
         1},
        {"a keyword event", [](Drawing& d) { d.go("A", "B", "delete"); }, "renamed-event", "note",
         "the event delete becomes delete_ in C++ and delete_ in C"},
        {"a free end", [](Drawing& d) { d.free("A"); }, "free-transition", "note",
         "a transition has a free end", 1},
        {"the same, refused by the front end", [](Drawing& d) { d.free("A"); }, "front-end",
         "error", "Orphan Transition.. Either head / tail / both are not attached", 1},
        {"a label on nothing",
         [](Drawing& d) {
             d.chart.looseLabel({300, 300, 330, 306}, "lost");
         },
         "detached-label", "note", "the label \"lost\" belongs to no transition"},
        {"a note line to nowhere",
         [](Drawing& d) {
             d.chart.looseNoteLine({300, 300, 360, 330});
         },
         "free-note-line", "note", "a note's line has a free end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing d;
        c.draw(d);
        d.chart.properties().name = "Check";
        d.chart.save(dir / "case.tvc");
        const ProgramResult r = tvccheck({"--format", "json", (dir / "case.tvc").string()});
        EXPECT_EQ(r.status, c.status) << r.out;
        bool found = false;
        for (const std::string& line : splitLines(r.out)) {
            const auto diagnostic = nlohmann::json::parse(line);
            found = found ||
                    (diagnostic["rule"] == c.rule && diagnostic["severity"] == c.severity &&
                     diagnostic["message"].get<std::string>().find(c.message) != std::string::npos);
        }
        EXPECT_EQ(found, c.present) << r.out;
    }
}

TEST_F(TvccheckTest, FormatsForPeopleAndBuildServers) {
    Drawing d;
    d.go("B", "A", "back");
    d.chart.properties().name = "Check";
    d.chart.save(dir / "chart.tvc");
    const std::string chart = (dir / "chart.tvc").string();

    const ProgramResult text = tvccheck({chart});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find(chart +
                            ": warning: the state B_Check is never entered [unreachable-state]\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(tvccheck({"--werror", chart}).status, 1);

    // What code-scanning services require of a SARIF 2.1.0 log.
    const ProgramResult sarif = tvccheck({"--format", "sarif", chart, "missing.tvc"});
    EXPECT_EQ(sarif.status, 1);
    const auto log = nlohmann::json::parse(sarif.out);
    EXPECT_EQ(log["version"], "2.1.0");
    ASSERT_EQ(log["runs"].size(), 1u);
    const auto& run = log["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["name"], "tvccheck");
    const auto& rules = run["tool"]["driver"]["rules"];
    for (const auto& result : run["results"]) {
        const auto& rule = rules.at(result["ruleIndex"].get<std::size_t>());
        EXPECT_EQ(rule["id"], result["ruleId"]);
        EXPECT_FALSE(rule["help"]["text"].get<std::string>().empty());
        EXPECT_TRUE(result["level"] == "error" || result["level"] == "warning" ||
                    result["level"] == "note");
        EXPECT_FALSE(result["message"]["text"].get<std::string>().empty());
        const auto& location = result["locations"].at(0);
        EXPECT_FALSE(
            location["physicalLocation"]["artifactLocation"]["uri"].get<std::string>().empty());
    }
    const auto missing = std::find_if(run["results"].begin(), run["results"].end(),
                                      [](const auto& r) { return r["ruleId"] == "front-end"; });
    ASSERT_NE(missing, run["results"].end());
    EXPECT_EQ((*missing)["message"]["text"], "Unable to open file : missing.tvc");
    const auto unreachable =
        std::find_if(run["results"].begin(), run["results"].end(),
                     [](const auto& r) { return r["ruleId"] == "unreachable-state"; });
    ASSERT_NE(unreachable, run["results"].end());
    EXPECT_EQ((*unreachable)["locations"][0]["logicalLocations"][0]["name"], "B_Check");

    EXPECT_EQ(tvccheck({}).status, 2);
    EXPECT_EQ(tvccheck({"--format", "xml", chart}).status, 2);
}

TEST_F(TvccheckTest, EveryExampleChartHasNoError) {
    for (const auto& entry : std::filesystem::directory_iterator(TAVREN_EXAMPLES))
        if (entry.path().extension() == ".tvc") {
            const ProgramResult r = tvccheck({entry.path().string()});
            EXPECT_EQ(r.status, 0) << entry.path() << "\n" << r.out;
        }
}
