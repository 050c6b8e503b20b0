// The name tables below every emitter and the simulator. A transition's steps, decided once in
// the machine model for every language, are checked through the simulator's conformance traces.

#include "generators/common/names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(MachineModelTest, APublicNameDependsOnlyOnItsOwnTextAndTheLanguage) {
    static constexpr std::string_view keywords[] = {"delete", "delete_"};
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        // names claimed, their ids or the refusal's start
        {{"go", "delete"}, {"go", "delete_2"}},
        {{"delete"}, {"delete_2"}},
        {{"start"}, {"start_"}},
        {{"a", "b", "start_"}, {"a", "b", "start_"}},
        {{"start_", "start"}, {"start_", "The events \"start_\" and \"start\" would both"}},
    };
    for (const auto& [names, expected] : cases) {
        gennames::NameTable table(keywords);
        table.reserve("start");
        std::vector<std::string> ids;
        for (const std::string& name : names) {
            try {
                ids.push_back(table.claimStable(name, name, "event"));
            } catch (const std::string& refusal) {
                ids.push_back(refusal.substr(0, expected.back().size()));
            }
        }
        EXPECT_EQ(ids, expected);
    }
}
