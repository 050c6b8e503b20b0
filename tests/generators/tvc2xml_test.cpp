// tvc2xml run as the editor runs it: its progress, its output next to the model, its failure
// report, the command line, and text that XML cannot hold as it is.

#include "tests/generators/generator_fixture.h"

namespace {

using Tvc2xmlTest = GeneratorTest;

// Undoes the documented backslash notation.
std::string decode(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        const char kind = i + 1 < s.size() ? s[i + 1] : '\0';
        if (kind == '\\') {
            out += '\\';
            i += 1;
        } else if (kind == 'u' && i + 5 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 4), nullptr, 16));
            i += 5;
        } else if (kind == 'x' && i + 3 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            ADD_FAILURE() << "not in the notation: " << s;
        }
    }
    return out;
}

// Two states and two transitions whose texts hold markup, tabs, lone carriage returns,
// backslashes, control characters and a byte that is not UTF-8.
void saveAwkwardChart(const std::filesystem::path& path) {
    TestChart chart;
    auto* fish = chart.state({10, 10, 50, 40}, "Fish & <Chips>",
                             "if (a < b && c > d)\r\n\tput(\"q\");", "x = '\\';");
    auto* cafe = chart.state({100, 10, 140, 40}, "Caf\xE9", "bell\x07;", "c:\\dir\x02");
    chart.label(chart.connect(fish, NODE(2, 2), cafe, NODE(2, 4)), "go", "a\tb > \"c\"",
                "say(\"\\n\");\r\nline\x1b two\rthree");
    chart.label(chart.connect(cafe, NODE(2, 3), fish, NODE(2, 3)), "back\x01");
    chart.properties().name = "Esc";
    chart.save(path);
}

} // namespace

TEST_F(Tvc2xmlTest, ASuccessfulRunReportsEveryStepAndWritesTheXmlNextToTheModel) {
    const auto model = copyExample("door.tvc");
    const ProgramResult r = tvc2xml({"-d", model.string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> expected = {"Reading model file...",
                                               "Analysing model...",
                                               "Analysing State Closed",
                                               "Analysing State Opening",
                                               "Analysing State Open",
                                               "Analysing State Closing",
                                               "Analysing State ",
                                               "Checking for model constraints...",
                                               "Parsing...",
                                               "Parsing transition from Closed to Opening...",
                                               "Parsing transition from Opening to Open...",
                                               "Parsing transition from Opening to Closing...",
                                               "Parsing transition from Open to Closing...",
                                               "Parsing transition from Open to Closing...",
                                               "Parsing transition from Open to Open...",
                                               "Parsing transition from Closing to Opening...",
                                               "Parsing transition from Closing to Closed...",
                                               "Generating code..."};
    EXPECT_EQ(splitLines(r.out), expected) << "the initial state has no name";
    EXPECT_EQ(files(), (std::set<std::string>{"door.tvc", "doorTN.xml"}));
    EXPECT_TRUE(validates(dir / "doorTN.xml"));
    EXPECT_EQ(xpath(dir / "doorTN.xml", "string(/chart/@source)"), "door.tvc");
}

// The editor passes a path with blanks split at them, unquoted: it is joined back.
TEST_F(Tvc2xmlTest, OutputIsTheSameBytesEveryRunAndWhereverTheModelLies) {
    for (const char* sub : {"a", "my charts"}) {
        std::filesystem::create_directories(dir / sub);
        std::filesystem::copy_file(std::filesystem::path(TAVREN_EXAMPLES) / "media_player.tvc",
                                   dir / sub / "media player.tvc");
    }
    ASSERT_EQ(tvc2xml({"-d", (dir / "a" / "media player.tvc").string()}).status, 0);
    const std::string first = slurp(dir / "a" / "media playerTN.xml");
    ASSERT_FALSE(first.empty());
    // -g means nothing to this generator.
    ASSERT_EQ(tvc2xml({"-d", "-g", (dir / "a" / "media player.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "a" / "media playerTN.xml"), first);
    const ProgramResult r = tvc2xml({"-d", (dir / "my").string(), "charts/media", "player.tvc"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(slurp(dir / "my charts" / "media playerTN.xml"), first);
}

TEST_F(Tvc2xmlTest, MarkupAndControlCharactersRoundTripThroughAnXmlParser) {
    saveAwkwardChart(dir / "esc.tvc");
    const ProgramResult r = tvc2xml({"-d", (dir / "esc.tvc").string()});
    ASSERT_EQ(r.status, 0) << r.out;
    const auto xml = dir / "escTN.xml";
    EXPECT_TRUE(validates(xml));

    // Markup, tabs and backslashes alone need no notation: the parser returns them as written.
    EXPECT_EQ(xpath(xml, "string(//state[@id='101']/@name)"), "Fish & <Chips>");
    EXPECT_EQ(xpath(xml, "count(//state[@id='101']/@encoding)"), "0");
    EXPECT_EQ(xpath(xml, "string(//state[@id='101']/entry/line[1])"), "if (a < b && c > d)");
    EXPECT_EQ(xpath(xml, "string(//state[@id='101']/entry/line[2])"), "\tput(\"q\");");
    EXPECT_EQ(xpath(xml, "string(//state[@id='101']/exit/line)"), "x = '\\';");
    EXPECT_EQ(xpath(xml, "string(//state[@id='101']/transition/effect/line[1])"), "say(\"\\n\");");

    // What XML cannot carry comes back through the notation, element by element.
    const auto escaped = [&](const std::string& element, const std::string& value) {
        EXPECT_EQ(xpath(xml, "string(" + element + "/@encoding)"), "escaped") << element;
        return decode(xpath(xml, "string(" + value + ")"));
    };
    EXPECT_EQ(escaped("//state[@id='102']", "//state[@id='102']/@name"), "Caf\xE9");
    EXPECT_EQ(xpath(xml, "string(//state[@id='102']/@name)"), "Caf\\xE9");
    EXPECT_EQ(escaped("//state[@id='102']/entry/line", "//state[@id='102']/entry/line"),
              "bell\x07;");
    EXPECT_EQ(escaped("//state[@id='102']/exit/line", "//state[@id='102']/exit/line"),
              "c:\\dir\x02");
    EXPECT_EQ(xpath(xml, "string(//state[@id='102']/exit/line)"), "c:\\\\dir\\u0002");
    const std::string go = "//state[@id='101']/transition";
    EXPECT_EQ(escaped(go, go + "/@guard"), "a\tb > \"c\"");
    EXPECT_EQ(escaped(go, go + "/@target"), "Caf\xE9_EscTN");
    EXPECT_EQ(escaped(go + "/effect/line[2]", go + "/effect/line[2]"), "line\x1b two\rthree");
    EXPECT_EQ(escaped("/chart/events/event[2]", "/chart/events/event[2]/@name"), "back\x01");
}
