// The machine model below every emitter and the simulator, checked without a compiler: the
// steps a transition runs and the names a table gives.

#include "generators/common/machine_walk.h"
#include "generators/common/names.h"
#include "generators/sim/chart_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* kindName(genchart::Step::Kind kind) {
    using genchart::Step;
    switch (kind) {
    case Step::ExitBelow:
        return "exit below";
    case Step::Exit:
        return "exit";
    case Step::Fire:
        return "fire";
    case Step::Effect:
        return "effect";
    case Step::Finish:
        return "finish";
    case Step::Enter:
        return "enter";
    case Step::EnterDefault:
        return "default entry";
    case Step::Complete:
        return "complete";
    }
    return "";
}

// The steps of the transition of `source` on `event`, as "kind state" lines.
std::vector<std::string> steps(const std::string& chartCase, const std::string& source,
                               const std::string& event) {
    const genchart::Chart chart =
        loadChart(std::string(TAVREN_CONFORMANCE) + "/" + chartCase + "/chart.tvc");
    for (std::size_t s = 0; s < chart.states.size(); ++s) {
        if (chart.states[s].className != source)
            continue;
        for (const auto& group : chart.states[s].events) {
            const auto& e = chart.events[static_cast<std::size_t>(group.event)];
            if (e.name != event)
                continue;
            std::vector<std::string> lines;
            for (const auto& step :
                 genchart::transitionSteps(chart, static_cast<int>(s), group.branches.front(), e))
                lines.push_back(
                    std::string(kindName(step.kind)) + " " +
                    (step.state < 0
                         ? std::string("-")
                         : chart.states[static_cast<std::size_t>(step.state)].className));
            return lines;
        }
    }
    return {"no such transition"};
}

} // namespace

TEST(MachineModelTest, ATransitionsStepsAreDecidedOnceForEveryLanguage) {
    struct Case {
        const char* chart;
        const char* source;
        const char* event;
        std::vector<std::string> steps;
    };
    const std::vector<Case> cases = {
        {"depths",
         "L11_L1",
         "cross",
         {"exit L11_L1", "exit L1_L", "exit L_Depths", "fire L11_L1", "effect L11_L1",
          "enter R_Depths", "enter R1_R", "enter R12_R1"}},
        // From a composite: what is active below it is known only at run time.
        {"depths",
         "R_Depths",
         "home",
         {"exit below R_Depths", "exit R_Depths", "fire R_Depths", "effect R_Depths",
          "enter L_Depths", "enter L1_L", "enter L11_L1"}},
        // Into a state with history: default entry is left to run time.
        {"history",
         "Out_History",
         "back",
         {"exit Out_History", "fire Out_History", "effect Out_History", "enter H_History",
          "default entry H_History"}},
        {"final_top_level",
         "Run_FinalAtTopLevel",
         "quit",
         {"exit below Run_FinalAtTopLevel", "exit Run_FinalAtTopLevel", "fire Run_FinalAtTopLevel",
          "effect Run_FinalAtTopLevel", "finish -"}},
        // A region with completion transitions completes: they are tried next.
        {"completion_composite",
         "P1_P",
         "done",
         {"exit P1_P", "fire P1_P", "effect P1_P", "complete P_CompletionComposite"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.chart) + " " + c.source + " " + c.event);
        EXPECT_EQ(steps(c.chart, c.source, c.event), c.steps);
    }
}

TEST(MachineModelTest, APublicNameDependsOnlyOnItsOwnTextAndTheLanguage) {
    static constexpr std::string_view keywords[] = {"delete", "delete_"};
    struct Case {
        std::vector<std::string> names;
        std::vector<std::string> ids; // or the refusal's start
    };
    const std::vector<Case> cases = {
        {{"go", "delete"}, {"go", "delete_2"}},
        {{"delete"}, {"delete_2"}},
        {{"start"}, {"start_"}},
        {{"a", "b", "start_"}, {"a", "b", "start_"}},
        {{"start_", "start"}, {"start_", "The events \"start_\" and \"start\" would both"}},
    };
    for (const Case& c : cases) {
        gennames::NameTable table(keywords);
        table.reserve("start");
        std::vector<std::string> ids;
        for (const std::string& name : c.names) {
            try {
                ids.push_back(table.claimStable(name, name, "event"));
            } catch (const std::string& refusal) {
                ids.push_back(refusal.substr(0, c.ids.back().size()));
            }
        }
        EXPECT_EQ(ids, c.ids);
    }
}
