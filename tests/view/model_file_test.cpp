// Whole model files through the chart view: the byte-exact worked example, write-read-write
// stability for charts of every class, version handling and the reader's failure messages.

#include "model/final_state.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
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

// Reads text into a fresh view and writes it again.
std::string reread(const std::string& text) {
    LayoutMgr view;
    std::istringstream in(text);
    view.read(in);
    return written(view);
}

std::string failure(const std::string& text) {
    LayoutMgr view;
    std::istringstream in(text);
    try {
        view.read(in);
    } catch (const std::string& message) {
        return message;
    }
    return "";
}

const std::string kExample = slurp(TAVREN_TEST_DATA "/worked_example.tvc");

// A transition from one state's anchor to another's, attached at both ends and routed.
Transition* connect(LayoutMgr& view, GenericState* from, NODE fromNode, State* to, NODE toNode) {
    ModelMgr& mm = *view.getModelMgr();
    auto* t = new Transition(mm.getNewId(), &view, from->getAnchorPoint(fromNode),
                             to->getAnchorPoint(toNode));
    t->setHeadNode(fromNode);
    t->setTailNode(toNode);
    t->setHeadStateId(from->getObjId());
    t->setTailStateId(to->getObjId());
    mm.addShape(t);
    // As the insert tool does: both ends settle on their anchors.
    t->reCalculate(static_cast<StartableState*>(from));
    if (auto* target = dynamic_cast<EndableState*>(to))
        t->reCalculate(target);
    return t;
}

// Every class: nested states, a self-transition, long routes, labels, notes, attached and
// free note lines, multi-line and long texts, names with blanks, empty texts.
void buildRichChart(LayoutMgr& view) {
    ModelMgr& mm = *view.getModelMgr();
    auto* outer = new GenericState(mm.getNewId(), &view, CRect(10, 10, 200, 120), "Door open");
    mm.addShape(outer);
    outer->getTextHandler()->setData("lamp.on();\r\ntimer.start(30);", "");
    outer->setHistory(true);
    auto* inner = new GenericState(mm.getNewId(), &view, CRect(30, 40, 90, 80), "Inner");
    mm.addShape(inner);
    inner->getTextHandler()->setData(std::string(300, 'e'), "\r\nlast line after empty one");
    auto* other = new GenericState(mm.getNewId(), &view, CRect(260, 150, 320, 200), "Other");
    other->setTransparent(true);
    mm.addShape(other);
    auto* initial = new InitialState(mm.getNewId(), &view, CRect(40, 20, 44, 24));
    mm.addShape(initial);
    auto* final = new FinalState(mm.getNewId(), &view, CRect(280, 230, 284, 234));
    mm.addShape(final);

    Transition* across = connect(view, outer, NODE(2, 2), other, NODE(1, 1));
    Transition* self = connect(view, inner, NODE(1, 2), inner, NODE(3, 1));
    connect(view, other, NODE(2, 3), final, NODE(1, 1));
    auto* start = new Transition(mm.getNewId(), &view, initial->getAnchorPoint(NODE(1, 3)),
                                 inner->getAnchorPoint(NODE(1, 1)));
    start->setHeadNode(NODE(1, 3));
    start->setTailNode(NODE(1, 1));
    start->setHeadStateId(initial->getObjId());
    start->setTailStateId(inner->getObjId());
    mm.addShape(start);
    start->reCalculate(static_cast<StartableState*>(initial));
    start->reCalculate(static_cast<EndableState*>(inner));
    auto* freeEnd = new Transition(mm.getNewId(), &view, CPoint(150, 150), CPoint(150, 170));
    mm.addShape(freeEnd);

    // Drag the free transition's inner link sideways twice: a longer route.
    other->setRect(CRect(262, 155, 322, 205));
    outer->setRect(CRect(12, 12, 202, 122));

    auto* label = new Mesg(mm.getNewId(), &view, CRect(210, 60, 240, 70), across);
    mm.addShape(label);
    label->getTextHandler()->setData("close door", "x > 1 && y", "a();\r\nb();");
    auto* selfLabel = new Mesg(mm.getNewId(), &view, CRect(40, 84, 60, 90), self);
    mm.addShape(selfLabel);
    selfLabel->getTextHandler()->setData("", "", "");

    auto* note = new Note(mm.getNewId(), &view, CRect(220, 10, 250, 30));
    mm.addShape(note);
    note->getTextHandler()->setData("Remember:\r\n<M>the door\r\n" + std::string(400, 'n'));
    auto* emptyNote = new Note(mm.getNewId(), &view, CRect(220, 40, 250, 50));
    mm.addShape(emptyNote);
    emptyNote->getTextHandler()->setData("");

    auto* attached = new Line(mm.getNewId(), &view, note->getAnchorPoint(NODE(1, 4)),
                              outer->getAnchorPoint(NODE(2, 1)));
    attached->setHeadObjId(note->getObjId());
    attached->setHeadNode(NODE(1, 4));
    attached->setTailObjId(outer->getObjId());
    attached->setTailNode(NODE(2, 1));
    attached->setPenColor(5);
    mm.addShape(attached);
    mm.addShape(new Line(mm.getNewId(), &view, CPoint(300, 20), CPoint(330, 40)));

    for (Shape* s : mm.getShapeList()) {
        if (auto* t = dynamic_cast<Transition*>(s)) {
            EXPECT_TRUE(routeWellFormed(t->getHeadLink())) << t->getObjId();
        }
    }

    view.getModelProperties().name = "Door controller";
    view.getModelProperties().desc = "Opens and closes\r\nthe door";
    view.getModelProperties().declCSharp = std::string(280, 'c');
}

} // namespace

TEST(ModelFileTest, WorkedExampleIsWrittenByteForByte) {
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
}

// Writing what was read gives the same bytes, so every field came back; ids continue past it.
TEST(ModelFileTest, WorkedExampleReadsBackToTheSameShapes) {
    LayoutMgr view;
    std::istringstream in(kExample);
    view.read(in);
    EXPECT_EQ(view.getModelMgr()->getShapeList().size(), 2u);
    EXPECT_EQ(view.getModelProperties().getName(), "Untitled");
    EXPECT_EQ(view.getModelMgr()->getNewId(), 103);
    EXPECT_EQ(written(view), kExample);
}

TEST(ModelFileTest, ChartsOfEveryClassSurviveWriteReadWrite) {
    FakePlatform fake;
    LayoutMgr view;
    buildRichChart(view);
    const std::string first = written(view);
    const std::string second = reread(first);
    EXPECT_EQ(second, first);
    EXPECT_EQ(reread(second), first);

    // The pieces that are easiest to lose.
    LayoutMgr back;
    std::istringstream in(first);
    back.read(in);
    const auto& shapes = back.getModelMgr()->getShapeList();
    ASSERT_EQ(shapes.size(), view.getModelMgr()->getShapeList().size());
    auto* outer = dynamic_cast<GenericState*>(shapes[0]);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->getName(), "Door open");
    EXPECT_TRUE(outer->hasHistory());
    EXPECT_EQ(outer->getTextHandler()->getEntry(), "lamp.on();\r\ntimer.start(30);");
    auto* inner = dynamic_cast<GenericState*>(shapes[1]);
    EXPECT_EQ(inner->getTextHandler()->getEntry(), std::string(300, 'e'));
    EXPECT_EQ(inner->getTextHandler()->getExit(), "\r\nlast line after empty one");
    int attachedLabels = 0, attachedLines = 0;
    for (Shape* s : shapes) {
        if (auto* m = dynamic_cast<Mesg*>(s))
            attachedLabels += m->getTransition() != nullptr;
        if (auto* l = dynamic_cast<Line*>(s))
            attachedLines += l->getHeadObj() != nullptr && l->getTailObj() != nullptr;
    }
    EXPECT_EQ(attachedLabels, 2);
    EXPECT_EQ(attachedLines, 1);
    EXPECT_EQ(back.getModelProperties().getDeclCSharp(), std::string(280, 'c'));
}

TEST(ModelFileTest, ReadsLineFeedOnlyFiles) {
    std::string lf;
    for (char c : kExample)
        if (c != '\r')
            lf += c;
    EXPECT_EQ(reread(lf), kExample);
}

TEST(ModelFileTest, OlderVersionsReadTheirOwnLabelAndPropertyLines) {
    // A label of a 2.5 file holds only its effect block; its properties stop before C.
    const std::string v25 = "9999 2 5\r\n6\r\nBEGIN DATA\r\n"
                            "BEGIN GenericState 101\r\n101 10\r\n10 10 40 30\r\n1\r\nA\r\n"
                            "0 16777215 0\r\n0\r\nTEXTBEGIN\r\n\r\nTEXTEND\r\n0\r\nTEXTBEGIN\r\n"
                            "\r\nTEXTEND\r\n"
                            "BEGIN Transition 102\r\n102 40\r\n25 30 25 40\r\n101 0\r\n3 1 1 1\r\n"
                            "2 25 30 25 31 \r\n0 25 31 25 39 \r\n3 25 39 25 40 \r\n"
                            "BEGIN Mesg 103\r\n103 20\r\n30 33 40 37\r\n1\r\n1 1 0 0\r\n102\r\n"
                            "8\r\nTEXTBEGIN\r\ngo();\r\nTEXTEND\r\nEND DATA\r\n"
                            "Old\r\nCtx\r\nctx.h\r\n\r\n0\r\nINCLUDE BEGIN\r\n\r\nINCLUDE END\r\n"
                            "0\r\nDECL BEGIN\r\n\r\nDECL END\r\nMe\r\n0\r\nDESC BEGIN\r\n\r\n"
                            "DESC END\r\n";
    LayoutMgr view;
    std::istringstream in(v25);
    view.read(in);
    auto* label = dynamic_cast<Mesg*>(view.getModelMgr()->getShapeList().at(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getTextHandler()->getEvent(), "");
    EXPECT_EQ(label->getTextHandler()->getEffect(), "go();");
    EXPECT_EQ(label->getTransition(), view.getModelMgr()->getShapeList().at(1));
    EXPECT_EQ(view.getModelProperties().getName(), "Old");
    EXPECT_EQ(view.getModelProperties().getCtxNameJAVA(), "Context");

    std::string v39 = kExample;
    v39.replace(0, 8, "9999 3 9");
    EXPECT_EQ(failure(v39), "");
}

// The archive's own tests cover each broken block; these show the messages reach the reader.
TEST(ModelFileTest, CraftedFilesFailWithTheirMessages) {
    auto withData = [](const std::string& data) {
        return "9999 4 1\r\n6\r\nBEGIN DATA\r\n" + data;
    };
    const std::string kEmptyBlocks =
        "0\r\nTEXTBEGIN\r\n\r\nTEXTEND\r\n0\r\nTEXTBEGIN\r\n\r\nTEXTEND\r\n";
    const std::string state = "BEGIN GenericState 101\r\n101 10\r\n10 10 40 30\r\n1\r\nA\r\n"
                              "0 16777215 0\r\n";
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {"9998 4 1\r\n", "Not a valid Tavren model file"},
        {"9999 4 2\r\n6\r\n",
         "Version not compatible.\nDocument Version Supported:4.1\nDocument Being Opened:4.2"},
        {"9999 4 1\r\n6\r\nno data line\r\n", "Invalid File"},
        {withData(state + "0\r\nTEXT BEGIN\r\n"), "Invalid or Corrupt File"},
        {withData("BEGIN Transition 102\r\n102 40\r\n1 1 1 9\r\n0 0\r\n3 1 1 1\r\n"
                  "2 1 1 1 2 \r\n"),
         "Invalid File"},
        {withData(state + kEmptyBlocks + state + kEmptyBlocks), "Invalid File"}, // one id twice
        {withData("BEGIN Note 102\r\n102 50\r\nten 10 70 20\r\n"), "Invalid File"},
        {withData("BEGIN Note 102\r\n102 50\r\n10 10 99999999 20\r\n"), "Invalid File"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failure(c.text), c.message) << c.text;
}

TEST(ModelFileTest, UnrelatedLinesBetweenRecordsAreSkipped) {
    std::string text = kExample;
    const auto at = text.find("BEGIN Note");
    text.insert(at, "some stray remark\r\n");
    EXPECT_EQ(reread(text), kExample);
}

TEST(ModelFileTest, DamagedZoomFallsBackIntoRange) {
    for (const char* zoom : {"0", "-4", "200", "wide"}) {
        std::string text = kExample;
        text.replace(text.find("\r\n6\r\n") + 2, 1, zoom);
        LayoutMgr view;
        std::istringstream in(text);
        view.read(in);
        EXPECT_GE(view.getZoom(), ViewServices::cMinZoom) << zoom;
        EXPECT_LE(view.getZoom(), ViewServices::cMaxZoom + 1) << zoom;
    }
}

// What is printed and exported: the extent is in model units, known before the first drawing
// and the same at any zoom and scroll; editing aids (anchors, selection handles) stay off paper.
TEST(ModelFilePrintTest, PrintExtentAndPrintPathFollowTheChartNotTheScreen) {
    LayoutMgr view;
    std::istringstream in(kExample);
    view.read(in);
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
