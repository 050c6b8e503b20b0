// SCXML export and import: every chart we ship comes back byte for byte through tvc2scxml and
// the reader; what a chart cannot hold, malformed and hostile documents are refused with the
// line; a document without our drawing is laid out into a chart the front end accepts.

#include "generators/tvc2scxml/scxml_import.h"
#include "tests/generators/run_program.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("tavren_scxml_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<fs::path> shippedCharts() {
    std::vector<fs::path> charts;
    for (const auto& e : fs::directory_iterator(TAVREN_EXAMPLES))
        if (e.path().extension() == ".tvc")
            charts.push_back(e.path());
    for (const auto& e : fs::directory_iterator(TAVREN_CONFORMANCE))
        if (fs::exists(e.path() / "chart.tvc"))
            charts.push_back(e.path() / "chart.tvc");
    return charts;
}

std::string exportChart(const fs::path& chart, const fs::path& dir) {
    const fs::path model = dir / "chart.tvc";
    fs::copy_file(chart, model, fs::copy_options::overwrite_existing);
    const ProgramResult r = runProgram({TAVREN_TVC2SCXML, "-d", model.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    return slurp(dir / "chartTN.scxml");
}

const std::string kHead = "<scxml xmlns=\"http://www.w3.org/2005/07/scxml\" version=\"1.0\" "
                          "datamodel=\"cplusplus:Ctx:ctx.h\" initial=\"A\">\n";

} // namespace

TEST(ScxmlRoundTripTest, EveryShippedChartComesBackByteForByte) {
    const fs::path dir = scratch("round_trip");
    for (const fs::path& chart : shippedCharts()) {
        SCOPED_TRACE(chart.string());
        const scxmlimport::Result back = scxmlimport::importScxml(exportChart(chart, dir), false);
        ASSERT_TRUE(back.ok) << (back.problems.empty() ? "" : back.problems.front());
        EXPECT_EQ(back.modelText, slurp(chart));
    }
    fs::remove_all(dir);
}

// Without our attributes the nesting becomes geometry; the front end must take the result
// as the same machine: tvc2cpp generates it.
TEST(ScxmlImportTest, WithoutTheDrawingTheChartIsLaidOutAndGenerates) {
    const fs::path dir = scratch("layout");
    std::ofstream(dir / "plain.scxml") << kHead << R"x(
  <state id="A"><onentry><script>ctx.log("enter A");</script></onentry>
    <initial><transition target="A1"/></initial>
    <history id="Ah" type="shallow"><transition target="A1"/></history>
    <state id="A1"><transition event="go" cond="ctx.flag(&quot;x&quot;)" target="A2"/></state>
    <state id="A2"><transition event="done" target="Af"/></state>
    <final id="Af"/>
    <transition event="leave" target="B"><script>ctx.log("bye");</script></transition>
  </state>
  <state id="B"><transition event="back" target="Ah"/><transition event="loop" target="B"/></state>
</scxml>)x";
    const ProgramResult imported = runProgram({TAVREN_SCXML2TVC, (dir / "plain.scxml").string()});
    ASSERT_EQ(imported.status, 0) << imported.out;
    const ProgramResult generated =
        runProgram({TAVREN_TVC2CPP, "-d", (dir / "plain.tvc").string()});
    EXPECT_EQ(generated.status, 0) << generated.out;
    EXPECT_NE(generated.out.find("Parsing transition from A1 to A2"), std::string::npos)
        << generated.out;

    // The chart written is not replaced by a second import unless asked to.
    const std::string chart = slurp(dir / "plain.tvc");
    std::ofstream(dir / "plain.tvc") << "the user's work";
    const ProgramResult again = runProgram({TAVREN_SCXML2TVC, (dir / "plain.scxml").string()});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.out.find("exists already"), std::string::npos) << again.out;
    EXPECT_EQ(slurp(dir / "plain.tvc"), "the user's work");
    EXPECT_EQ(runProgram({TAVREN_SCXML2TVC, "-o", (dir / "other.tvc").string(),
                          (dir / "plain.scxml").string()})
                  .status,
              0);
    EXPECT_EQ(slurp(dir / "other.tvc"), chart);
    EXPECT_EQ(runProgram({TAVREN_SCXML2TVC, "--force", (dir / "plain.scxml").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "plain.tvc"), chart);
    fs::remove_all(dir);
}

TEST(ScxmlImportTest, WhatAChartCannotHoldIsReportedWithItsLineOrDroppedWhenLenient) {
    const struct {
        std::string body;
        std::string problem;
    } cases[] = {
        {"<state id=\"A\"/>\n<parallel id=\"P\"/>", "line 4: <parallel>: parallel states"},
        {"<state id=\"A\">\n<history id=\"h\" type=\"deep\"/></state>", "line 4: <history>: deep"},
        {"<state id=\"A\">\n<invoke src=\"x\"/></state>", "line 4: <invoke>: invoked"},
        {"<state id=\"A\">\n<onentry><send event=\"e\" delay=\"1s\"/></onentry></state>",
         "line 4: <send>: delayed"},
        {"<state id=\"A\">\n<transition event=\"e\"/></state>", "line 4: <transition>: a "
                                                                "transition without target"},
        {"<state id=\"A\">\n<onentry><log expr=\"1\"/></onentry></state>",
         "line 4: <log>: executable content other than <script>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const std::string doc = "<?xml version=\"1.0\"?>\n" + kHead + c.body + "\n</scxml>\n";
        const scxmlimport::Result strict = scxmlimport::importScxml(doc, false);
        EXPECT_FALSE(strict.ok);
        ASSERT_FALSE(strict.problems.empty());
        EXPECT_NE(strict.problems.front().find(c.problem), std::string::npos)
            << strict.problems.front();
        const scxmlimport::Result lenient = scxmlimport::importScxml(doc, true);
        EXPECT_TRUE(lenient.ok);
        ASSERT_FALSE(lenient.dropped.empty());
        EXPECT_NE(lenient.dropped.front().find(c.problem), std::string::npos);
    }
    const scxmlimport::Result other = scxmlimport::importScxml(
        "<scxml xmlns=\"http://www.w3.org/2005/07/scxml\" datamodel=\"ecmascript\">"
        "<state id=\"A\"/></scxml>",
        false);
    EXPECT_FALSE(other.ok);
}

TEST(ScxmlImportTest, MalformedAndHostileDocumentsAreRefused) {
    const std::string deep = [] {
        std::string d = kHead;
        for (int i = 0; i < 80; ++i)
            d += "<state id=\"s" + std::to_string(i) + "\">";
        for (int i = 0; i < 80; ++i)
            d += "</state>";
        return d + "</scxml>";
    }();
    const struct {
        std::string doc;
        std::string problem;
    } cases[] = {
        {kHead + "<state id=\"A\">\n\n</scxml>", "line 4: malformed XML"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE scxml [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n" +
             kHead + "<state id=\"A\"><onentry><script>&x;</script></onentry></state></scxml>",
         "document type"},
        {deep, "nested deeper than 64"},
        {"<chart/>", "not SCXML's <scxml>"},
        {std::string(scxmlimport::cMaxBytes + 1, ' '), "larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        const scxmlimport::Result r = scxmlimport::importScxml(c.doc, true);
        EXPECT_FALSE(r.ok);
        ASSERT_FALSE(r.problems.empty());
        EXPECT_NE(r.problems.front().find(c.problem), std::string::npos) << r.problems.front();
        EXPECT_EQ(r.modelText.find("root:"), std::string::npos);
    }
}

// A kept id too large to number after (a hand-edited or damaged drawing) is numbered anew.
TEST(ScxmlImportTest, KeptIdsTooLargeToFollowAreNumberedAnew) {
    const fs::path dir = scratch("large_ids");
    std::string doc = exportChart(fs::path(TAVREN_EXAMPLES) / "door.tvc", dir);
    for (const char* attribute : {"tv:id=\"", "tv:label-id=\""}) {
        const auto at = doc.find(attribute) + std::strlen(attribute);
        doc.replace(at, doc.find('"', at) - at, "9223372036854775807");
    }
    const scxmlimport::Result r = scxmlimport::importScxml(doc, false);
    ASSERT_TRUE(r.ok) << (r.problems.empty() ? "" : r.problems.front());
    std::set<long> ids;
    std::istringstream lines(r.modelText);
    for (std::string kind, line; std::getline(lines, line);)
        if (long id = 0;
            std::istringstream(line) >> kind >> kind >> id && line.rfind("BEGIN ", 0) == 0) {
            EXPECT_TRUE(ids.insert(id).second) << line;
            EXPECT_LT(id, 1000000) << line;
        }
    EXPECT_GT(ids.size(), 4u);
    fs::remove_all(dir);
}
