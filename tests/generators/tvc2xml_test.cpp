// tvc2xml run as the editor runs it: its progress, its output next to the model, its failure
// report, the command line, and text that XML cannot hold as it is.

#include "tests/generators/generator_fixture.h"

#include <regex>

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
    const std::vector<std::string> expected = {
        "Reading model file...",
        "Analysing model...",
        "Analysing State Closed",
        "Analysing State Opening",
        "Analysing State Open",
        "Analysing State Closing",
        "Analysing State ", // the initial state has no name
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
        "Generating code...",
    };
    EXPECT_EQ(splitLines(r.out), expected);
    EXPECT_EQ(files(), (std::set<std::string>{"door.tvc", "doorTN.xml"}));
    EXPECT_TRUE(validates(dir / "doorTN.xml"));
    EXPECT_EQ(xpath(dir / "doorTN.xml", "string(/chart/@source)"), "door.tvc");
}

TEST_F(Tvc2xmlTest, AnUnquotedModelPathWithBlanksIsJoinedBack) {
    std::filesystem::create_directories(dir / "my charts");
    std::filesystem::copy_file(std::filesystem::path(TAVREN_EXAMPLES) / "door.tvc",
                               dir / "my charts" / "door controller.tvc");
    // As the editor passes it: the path split at its blanks.
    const ProgramResult r = tvc2xml({"-d", (dir / "my").string(), "charts/door", "controller.tvc"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(std::filesystem::exists(dir / "my charts" / "door controllerTN.xml"));
}

TEST_F(Tvc2xmlTest, ADuplicateUnguardedEventFailsAndLeavesNoXml) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    auto* b = chart.state({100, 10, 140, 40}, "B");
    chart.label(chart.connect(a, NODE(1, 2), b, NODE(3, 4)), "go");
    chart.label(chart.connect(a, NODE(3, 2), b, NODE(1, 4)), "go", "", "log();");
    chart.properties().name = "Dup";
    chart.save(dir / "dup.tvc");
    // Output of an earlier run is stale now; a file that only shares the name prefix is not
    // ours to remove.
    std::ofstream(dir / "dupTN.xml") << "<chart/>";
    std::ofstream(dir / "dupdummy") << "user data";

    const ProgramResult r = tvc2xml({"-d", (dir / "dup.tvc").string()});
    EXPECT_EQ(r.status, 1);
    const auto lines = splitLines(r.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "Generating code...");
    EXPECT_EQ(lines[lines.size() - 2], "FAILURE:");
    EXPECT_EQ(lines.back(), "Error : An event without guard found multiple times for, EVENT = go");
    EXPECT_EQ(files(), (std::set<std::string>{"dup.tvc", "dupdummy"}));
    EXPECT_EQ(slurp(dir / "dupdummy"), "user data");
}

TEST_F(Tvc2xmlTest, AnOrphanTransitionFailsTheConstraintCheck) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    chart.label(chart.connect(a, NODE(2, 3), nullptr, NODE()), "lost");
    chart.properties().name = "Orphan";
    chart.save(dir / "orphan.tvc");

    const ProgramResult r = tvc2xml({"-d", (dir / "orphan.tvc").string()});
    EXPECT_EQ(r.status, 1);
    const auto lines = splitLines(r.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "Checking for model constraints...");
    EXPECT_EQ(lines[lines.size() - 2], "FAILURE:");
    EXPECT_EQ(lines.back(),
              "Error : Orphan Transition.. Either head / tail / both are not attached");
    EXPECT_EQ(files(), std::set<std::string>{"orphan.tvc"});
}

TEST_F(Tvc2xmlTest, AMissingModelFileIsReportedAndCreatesNothing) {
    const std::string model = (dir / "missing.tvc").string();
    const ProgramResult r = tvc2xml({"-d", model});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(splitLines(r.out),
              (std::vector<std::string>{"Reading model file...",
                                        "FAILURE:", "Error : Unable to open file : " + model}));
    EXPECT_TRUE(files().empty());
}

TEST_F(Tvc2xmlTest, CommandLineUsage) {
    const ProgramResult help = tvc2xml({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: tvc2xml [-d] [-g] MODEL\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    const ProgramResult version = tvc2xml({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(tvc2xml \(Tavren\) \d+\.\d+\.\d+\n)")))
        << version.out;

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"-d"}, {"-d", "-g"}, {"-d", "--"}}) {
        const ProgramResult r = tvc2xml(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("tvc2xml: no model file given"), std::string::npos) << r.err;
    }
    const ProgramResult unknown = tvc2xml({"-x", "door.tvc"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option '-x'"), std::string::npos) << unknown.err;
    EXPECT_TRUE(files().empty());
}

TEST_F(Tvc2xmlTest, OutputIsTheSameBytesEveryRunAndWhereverTheModelLies) {
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    for (const char* sub : {"a", "b"})
        std::filesystem::copy_file(std::filesystem::path(TAVREN_EXAMPLES) / "media_player.tvc",
                                   dir / sub / "media_player.tvc");
    ASSERT_EQ(tvc2xml({"-d", (dir / "a" / "media_player.tvc").string()}).status, 0);
    const std::string first = slurp(dir / "a" / "media_playerTN.xml");
    ASSERT_FALSE(first.empty());
    // -g means nothing to this generator.
    ASSERT_EQ(tvc2xml({"-d", "-g", (dir / "a" / "media_player.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "a" / "media_playerTN.xml"), first);
    ASSERT_EQ(tvc2xml({"-d", (dir / "b" / "media_player.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "b" / "media_playerTN.xml"), first);
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
