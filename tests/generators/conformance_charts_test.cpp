// The conformance cases and the shipped examples through the front end: each chart gives
// schema-valid XML without a warning, and a case's chart holds what its runners rely on, so
// that a mismatch in a generator's run points at the generator and not at the case.

#include "tests/generators/generator_fixture.h"

namespace {

const std::filesystem::path kCases = conformanceFolder();

// The events a script sends, from its event and dispatch lines, without their arguments.
std::vector<std::string> scriptEvents(const std::string& name) {
    std::vector<std::string> events;
    for (std::string line : splitLines(slurp(kCases / name / "events.txt"))) {
        if (line.starts_with("dispatch "))
            line = line.substr(9);
        else if (line == "start" || line == "state" || line.starts_with("set ") ||
                 line.starts_with("report ") || line.starts_with("fail "))
            continue;
        events.push_back(line.substr(0, line.find(' ')));
    }
    return events;
}

using ConformanceChartsTest = GeneratorTest;

} // namespace

TEST_F(ConformanceChartsTest, EveryChartGoesThroughTheFrontEnd) {
    std::vector<std::string> charts = caseNames();
    ASSERT_GE(charts.size(), 8u);
    charts.insert(charts.end(), {"door", "traffic_light", "media_player", "history"});
    for (const std::string& name : charts) {
        SCOPED_TRACE(name);
        const bool example = &name >= &charts[charts.size() - 4];
        const auto model = dir / (example ? "ex" : "") / (name + ".tvc");
        std::filesystem::create_directories(model.parent_path());
        std::filesystem::copy_file(example
                                       ? std::filesystem::path(TAVREN_EXAMPLES) / (name + ".tvc")
                                       : kCases / name / "chart.tvc",
                                   model);
        const ProgramResult r = tvc2xml({"-d", model.string()});
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.find("Warning:"), std::string::npos) << r.out;
        const auto xml = model.parent_path() / (name + "TN.xml");
        EXPECT_TRUE(validates(xml));
        if (example)
            continue;
        // Generators refuse a chart without a top-level initial state.
        EXPECT_EQ(xpath(xml, "count(/chart/state/initial)"), "1");
        for (const char* language : {"c++", "java", "c#"})
            EXPECT_EQ(xpath(xml, "string(/chart/properties/context[@language='" +
                                     std::string(language) + "']/@class)"),
                      "Ctx");
        // The trace shows the order of actions only if every action logs.
        EXPECT_EQ(xpath(xml, "count(//state[@id][not(entry) or not(exit)])"), "0");
        EXPECT_EQ(xpath(xml, "count(//transition[not(effect)])"), "0");
        // A runner can only send events the machine has.
        for (const std::string& event : scriptEvents(name))
            EXPECT_EQ(xpath(xml, "count(/chart/events/event[@name='" + event + "'])"), "1")
                << event;
    }
    // The XML shows the chart's structure: guarded branches first, history, final targets.
    EXPECT_EQ(xpath(dir / "ex" / "doorTN.xml",
                    "string(//state[@name='Open']/dispatch[@event='timeout']"
                    "/try[1]/@guard)"),
              "sensor.blocked()");
    EXPECT_EQ(xpath(dir / "ex" / "historyTN.xml", "string(//state[@name='Running']/@history)"),
              "true");
    EXPECT_EQ(
        xpath(dir / "ex" / "historyTN.xml", "string(//state[@name='Spinning']/transition/@target)"),
        "FinalState");
    EXPECT_EQ(
        xpath(dir / "parametersTN.xml", "string(/chart/events/event[@name='received']/@signature)"),
        "int count, int last");
}
