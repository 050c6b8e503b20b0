// Whole model files through the chart view: the byte-exact worked example, write-read-write
// stability for a chart of every class, version handling and the reader's failure messages.

#include "model/generic_state.h"
#include "model/line.h"
#include "model/mesg.h"
#include "model/note.h"
#include "model/transition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/recording_dc.h"
#include "tests/model/route_checks.h"
#include "view/layout_mgr.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string written(LayoutMgr& view) {
    std::ostringstream out;
    view.write(out);
    return out.str();
}

// Reads text into the view (a fresh one by default); the reader's message, empty for none.
std::string read(const std::string& text, LayoutMgr* into = nullptr) {
    LayoutMgr fresh;
    std::istringstream in(text);
    try {
        (into ? *into : fresh).read(in);
    } catch (const std::string& message) {
        return message;
    }
    return "";
}
std::string reread(const std::string& text) {
    LayoutMgr view;
    EXPECT_EQ(read(text, &view), "");
    return written(view);
}

const std::string kExample = slurp(TAVREN_TEST_DATA "/worked_example.tvc");
// Nested states with history and a transparent one, a self-transition, long routes, labels,
// notes, attached and free note lines, multi-line and 300-character texts, names with blanks,
// empty texts and model properties.
const std::string kRich = slurp(TAVREN_TEST_DATA "/rich_chart.tvc");

} // namespace

TEST(ModelFileTest, WorkedExampleIsWrittenByteForByteAndReadsBack) {
    FakePlatform fake;
    LayoutMgr view;
    ModelMgr& mm = *view.getModelMgr();
    auto* state = new GenericState(101, &view, CRect(10, 10, 40, 30), "Idle");
    state->setColor(0xFFFFFF);
    state->setTransparent(false);
    state->getTextHandler()->setData("", "");
    mm.addShape(state);
    mm.addShape(new Note(102, &view, CRect(50, 10, 70, 20)));
    ASSERT_EQ(mm.getNewId(), 103);
    EXPECT_EQ(written(view), kExample);

    // Writing what was read gives the same bytes, so every field came back; ids continue past it.
    LayoutMgr back;
    ASSERT_EQ(read(kExample, &back), "");
    EXPECT_EQ(back.getModelMgr()->getNewId(), 103);
    EXPECT_EQ(written(back), kExample);
}

TEST(ModelFileTest, AChartOfEveryClassSurvivesReadWriteAndPrintsWithoutEditingAids) {
    FakePlatform fake;
    LayoutMgr view;
    ASSERT_EQ(read(kRich, &view), "");
    EXPECT_EQ(written(view), kRich);
    // The links that are easiest to lose.
    int attachedLabels = 0, attachedLines = 0;
    for (Shape* s : view.getModelMgr()->getShapeList()) {
        if (auto* m = dynamic_cast<Mesg*>(s))
            attachedLabels += m->getTransition() != nullptr;
        if (auto* l = dynamic_cast<Line*>(s))
            attachedLines += l->getHeadObj() != nullptr && l->getTailObj() != nullptr;
    }
    EXPECT_EQ(attachedLabels * 10 + attachedLines, 21);

    // What is printed and exported: the extent is in model units, known before the first
    // drawing and the same at any zoom and scroll; editing aids (anchors, selection handles)
    // stay off paper.
    const CSize before = view.getDrawingExtent();
    EXPECT_GT(before.cx, 0);
    EXPECT_LT(before.cx, LayoutMgr::pFu(LayoutMgr::cDefaultXLimit));
    for (Shape* shape : view.getModelMgr()->getShapeList())
        view.getCollection().add(shape);
    RecordingDC screen;
    view.setZoom(11);
    view.setScrollPosition({121, 77});
    view.draw(screen);
    EXPECT_EQ(view.getDrawingExtent(), before);
    EXPECT_FALSE(screen.matching("Anchor").empty());
    RecordingDC paper;
    view.drawForPrint(paper);
    EXPECT_TRUE(paper.matching("Anchor").empty());
    EXPECT_EQ(view.getDrawingExtent(), before);
    // Selected transitions mark their links with filled handle squares on screen only.
    EXPECT_LT(paper.matching("FillRect").size(), screen.matching("FillRect").size());
}

TEST(ModelFileTest, TolerableDamageIsReadAndOlderVersionsReadTheirOwnLines) {
    std::string lf; // line feeds only
    for (char c : kExample)
        if (c != '\r')
            lf += c;
    std::string stray = kExample;
    stray.insert(stray.find("BEGIN Note"), "some stray remark\r\n");
    EXPECT_EQ(reread(lf), kExample);
    EXPECT_EQ(reread(stray), kExample);
    for (const char* zoom : {"0", "-4", "200", "wide"}) {
        std::string text = kExample;
        text.replace(text.find("\r\n6\r\n") + 2, 1, zoom);
        LayoutMgr view;
        EXPECT_EQ(read(text, &view), "");
        EXPECT_GE(view.getZoom(), ViewServices::cMinZoom) << zoom;
        EXPECT_LE(view.getZoom(), ViewServices::cMaxZoom + 1) << zoom;
    }
    // A route whose links no longer meet is rebuilt between its ends.
    LayoutMgr slanted;
    ASSERT_EQ(read(kExample.substr(0, kExample.find("END DATA")) +
                       "BEGIN Transition 103\r\n103 40\r\n25 30 30 40\r\n0 0\r\n3 1 1 1\r\n"
                       "2 25 30 25 31 \r\n0 25 35 28 39 \r\n3 30 39 30 40 \r\n" +
                       kExample.substr(kExample.find("END DATA")),
                   &slanted),
              "");
    auto* route = dynamic_cast<Transition*>(slanted.getModelMgr()->getShapeList().at(2));
    ASSERT_NE(route, nullptr);
    EXPECT_TRUE(routeWellFormed(route->getHeadLink()));
    EXPECT_EQ(describeRoute(route->getHeadLink()),
              "2:(25,30)-(25,31) 0:(25,31)-(25,39) 1:(25,39)-(30,39) 3:(30,39)-(30,40) ");
    std::string v39 = kExample;
    v39.replace(0, 8, "9999 3 9");
    EXPECT_EQ(read(v39), "");

    // A label of a 2.5 file holds only its effect block; its properties stop before C.
    const std::string v25 = slurp(TAVREN_TEST_DATA "/version_2_5.tvc");
    LayoutMgr view;
    ASSERT_EQ(read(v25, &view), "");
    auto* label = dynamic_cast<Mesg*>(view.getModelMgr()->getShapeList().at(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getTextHandler()->getEvent() + "|" + label->getTextHandler()->getEffect(),
              "|go();");
    EXPECT_EQ(label->getTransition(), view.getModelMgr()->getShapeList().at(1));
    EXPECT_EQ(view.getModelProperties().getName(), "Old");
    EXPECT_EQ(view.getModelProperties().getCtxNameJAVA(), "Context");
}

// The archive's own tests cover each broken block; these show the messages reach the reader.
TEST(ModelFileTest, CraftedFilesFailWithTheirMessages) {
    const std::string data = "9999 4 1\r\n6\r\nBEGIN DATA\r\n";
    const std::string kEmptyBlocks =
        "0\r\nTEXTBEGIN\r\n\r\nTEXTEND\r\n0\r\nTEXTBEGIN\r\n\r\nTEXTEND\r\n";
    const std::string state = "BEGIN GenericState 101\r\n101 10\r\n10 10 40 30\r\n1\r\nA\r\n"
                              "0 16777215 0\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"9998 4 1\r\n", "Not a valid Tavren model file"},
        {"9999 4 2\r\n6\r\n",
         "Version not compatible.\nDocument Version Supported:4.1\nDocument Being Opened:4.2"},
        {"9999 4 1\r\n6\r\nno data line\r\n", "Invalid File"},
        {data + state + "0\r\nTEXT BEGIN\r\n", "Invalid or Corrupt File"},
        {data + "BEGIN Transition 102\r\n102 40\r\n1 1 1 9\r\n0 0\r\n3 1 1 1\r\n2 1 1 1 2 \r\n",
         "Invalid File"},
        {data + state + kEmptyBlocks + state + kEmptyBlocks, "Invalid File"}, // one id twice
        {data + "BEGIN Note 102\r\n102 50\r\nten 10 70 20\r\n", "Invalid File"},
        {data + "BEGIN Note 102\r\n102 50\r\n10 10 99999999 20\r\n", "Invalid File"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(read(text), message) << text;
}
