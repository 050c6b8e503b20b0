// The conformance cases that every language generator runs: each chart must go through the
// front end, and its script and hand-written trace must fit the chart, so that a mismatch in
// a generator's run points at the generator and not at the case.

#include "tests/generators/generator_fixture.h"

#include <algorithm>
#include <regex>

namespace {

const std::filesystem::path kCases = conformanceFolder();

// The events a script sends: its event lines and the events of its dispatch lines, without
// their arguments.
std::vector<std::string> scriptEvents(const std::vector<std::string>& script) {
    std::vector<std::string> events;
    for (const std::string& line : script) {
        std::string event;
        if (line.rfind("dispatch ", 0) == 0)
            event = line.substr(9);
        else if (line != "start" && line != "state" && line.rfind("set ", 0) != 0 &&
                 line.rfind("report ", 0) != 0 && line.rfind("fail ", 0) != 0)
            event = line;
        if (!event.empty())
            events.push_back(event.substr(0, event.find(' ')));
    }
    return events;
}

using ConformanceChartsTest = GeneratorTest;

} // namespace

TEST(ConformanceCasesTest, ScriptsAndTracesFitTheirCharts) {
    const auto names = caseNames();
    ASSERT_GE(names.size(), 8u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto folder = kCases / name;
        const std::string chart = slurp(folder / "chart.tvc");
        const std::string events = slurp(folder / "events.txt");
        const std::string expected = slurp(folder / "expected.txt");
        ASSERT_FALSE(chart.empty());
        ASSERT_FALSE(events.empty());
        ASSERT_FALSE(expected.empty());
        // Runners read these line by line on every platform.
        for (const std::string* text : {&events, &expected}) {
            EXPECT_EQ(text->back(), '\n');
            EXPECT_EQ(text->find('\r'), std::string::npos);
        }

        const auto script = splitLines(events);
        EXPECT_NE(std::find(script.begin(), script.end(), "start"), script.end());
        for (const std::string& line : script) {
            EXPECT_FALSE(line.empty());
            if (line.rfind("report ", 0) == 0) {
                EXPECT_TRUE(line == "report on" || line == "report off") << line;
            }
            if (line.rfind("set ", 0) != 0)
                continue;
            const auto blank = line.rfind(' ');
            const std::string flag = line.substr(4, blank - 4);
            EXPECT_TRUE(line.substr(blank) == " 0" || line.substr(blank) == " 1") << line;
            EXPECT_NE(chart.find("ctx.flag(\"" + flag + "\")"), std::string::npos) << line;
        }

        // Every traced line is one the chart's actions log or one the runner prints for a
        // command; "finished" only closes a run.
        const auto trace = splitLines(expected);
        const auto logged = [&](const std::string& text) {
            const std::smatch value = [&] {
                std::smatch m;
                std::regex_match(text, m, std::regex(R"((.*) -?\d+)"));
                return m;
            }();
            return chart.find("ctx.log(\"" + text + "\");") != std::string::npos ||
                   (!value.empty() &&
                    chart.find("ctx.logValue(\"" + value[1].str() + "\", ") != std::string::npos);
        };
        for (std::size_t i = 0; i < trace.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + trace[i]);
            const std::string& line = trace[i];
            if (line == "finished")
                EXPECT_EQ(i + 1, trace.size()) << "finished before the end";
            else if (line.rfind("state ", 0) == 0)
                EXPECT_NE(line.find(':'), std::string::npos);
            else if (line.rfind("exception ", 0) == 0)
                EXPECT_TRUE(logged(line.substr(10)) || chart.find("ctx.flag(\"" + line.substr(10) +
                                                                  "\")") != std::string::npos);
            else if (const auto arrow = line.find(" -> "); arrow != std::string::npos)
                EXPECT_TRUE(std::regex_match(line.substr(arrow),
                                             std::regex(" -> (handled|ignored|queued|dropped)")));
            else
                EXPECT_TRUE(logged(line));
        }
    }
}

// The shipped examples too.
TEST(ConformanceCasesTest, ChartsAreWhatTheEditorWritesAndStayOnTheCanvas) {
    std::vector<std::filesystem::path> charts;
    for (const std::string& name : caseNames())
        charts.push_back(kCases / name / "chart.tvc");
    for (const char* name : {"door.tvc", "traffic_light.tvc", "media_player.tvc", "history.tvc"})
        charts.push_back(std::filesystem::path(TAVREN_EXAMPLES) / name);
    for (const auto& chart : charts) {
        SCOPED_TRACE(chart.string());
        const std::string text = slurp(chart);
        ASSERT_FALSE(text.empty());
        LayoutMgr view;
        std::istringstream in(text);
        view.read(in);
        std::ostringstream out;
        view.write(out);
        EXPECT_EQ(out.str(), text);
        for (const Shape* shape : view.getModelMgr()->getShapeList()) {
            if (const auto* state = dynamic_cast<const State*>(shape)) {
                const CRect& r = state->getRect();
                EXPECT_TRUE(r.left >= 1 && r.top >= 1 && r.right <= 1500 && r.bottom <= 1500)
                    << state->getName();
            }
        }
    }
}

TEST_F(ConformanceChartsTest, EveryChartGoesThroughTheFrontEnd) {
    for (const std::string& name : caseNames()) {
        SCOPED_TRACE(name);
        const auto model = dir / (name + ".tvc");
        std::filesystem::copy_file(kCases / name / "chart.tvc", model);
        const ProgramResult r = tvc2xml({"-d", model.string()});
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.out.find("Warning:"), std::string::npos) << r.out;
        const auto xml = dir / (name + "TN.xml");
        EXPECT_TRUE(validates(xml));

        // Generators refuse a chart without a top-level initial state.
        EXPECT_EQ(xpath(xml, "count(/chart/state)"), "1");
        EXPECT_EQ(xpath(xml, "count(/chart/state/initial)"), "1");
        EXPECT_EQ(xpath(xml, "string(/chart/properties/context[@language='c++']/@class)"), "Ctx");
        EXPECT_EQ(xpath(xml, "string(/chart/properties/context[@language='c++']/@header)"),
                  "conformance_ctx.h");
        EXPECT_EQ(xpath(xml, "string(/chart/properties/context[@language='java']/@class)"), "Ctx");
        EXPECT_EQ(xpath(xml, "string(/chart/properties/context[@language='c#']/@class)"), "Ctx");

        // The trace shows the order of actions only if every action logs.
        EXPECT_EQ(xpath(xml, "count(//state[@id][not(entry) or not(exit)])"), "0");
        EXPECT_EQ(xpath(xml, "count(//transition[not(effect)])"), "0");

        if (name == "parameters") {
            EXPECT_EQ(xpath(xml, "string(/chart/events/event[@name='received']/@signature)"),
                      "int count, int last");
        }
        // A runner can only send events the machine has.
        for (const std::string& event :
             scriptEvents(splitLines(slurp(kCases / name / "events.txt"))))
            EXPECT_EQ(xpath(xml, "count(/chart/events/event[@name='" + event + "'])"), "1")
                << event;
    }
}
