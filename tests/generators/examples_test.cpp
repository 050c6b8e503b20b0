// The shipped example charts each generate a valid XML rendering whose structure is the
// chart's (that they are what the editor writes is checked with the conformance charts).

#include "tests/generators/generator_fixture.h"

namespace {

const std::vector<std::string> kExamples = {"door.tvc", "traffic_light.tvc", "media_player.tvc",
                                            "history.tvc"};

using ExamplesTest = GeneratorTest;

} // namespace

TEST_F(ExamplesTest, EachGeneratesValidXmlThatShowsTheChartsStructure) {
    for (const std::string& name : kExamples) {
        SCOPED_TRACE(name);
        const auto model = copyExample(name);
        const ProgramResult r = tvc2xml({"-d", model.string()});
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(validates(dir / (model.stem().string() + "TN.xml")));
    }

    // A top-level initial state makes the whole chart one composite state.
    const auto door = dir / "doorTN.xml";
    EXPECT_EQ(xpath(door, "string(/chart/state/@class)"), "Door_DoorTN");
    EXPECT_EQ(xpath(door, "string(/chart/state/initial/@target-name)"), "Closed");
    EXPECT_EQ(xpath(door, "count(/chart/state/state)"), "4");
    // Guarded branches are tried before the unguarded one.
    EXPECT_EQ(xpath(door, "string(//state[@name='Open']/dispatch[@event='timeout']/try[1]/@guard)"),
              "sensor.blocked()");
    EXPECT_EQ(xpath(door, "count(//state[@name='Open']/dispatch[@event='timeout']/try[2]/@guard)"),
              "0");
    EXPECT_EQ(xpath(door, "string(//state[@name='Closed']/entry/line[2])"), "lock.engage();");

    const auto player = dir / "media_playerTN.xml";
    EXPECT_EQ(xpath(player, "string(//state[@name='On']/state[@name='Playing']/"
                            "state[@name='FastForward']/entry/line[1])"),
              "display.show(\">>\");");
    EXPECT_EQ(xpath(player, "string(//state[@name='Playing']/initial/@target)"), "Normal_Playing");
    EXPECT_EQ(xpath(player, "count(/chart/events/event)"), "6");

    const auto washer = dir / "historyTN.xml";
    EXPECT_EQ(xpath(washer, "string(//state[@name='Running']/@history)"), "true");
    EXPECT_EQ(xpath(washer, "string(//state[@name='Paused']/transition/@target-name)"), "Running");
    EXPECT_EQ(xpath(washer, "string(//state[@name='Spinning']/transition/@target)"), "FinalState");
}
