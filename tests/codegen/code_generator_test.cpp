#include "tests/codegen/chart_builder.h"

#include <sstream>

namespace {

std::string slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(CodegenTest, GeneratedFileNamesAndTheHeaderFile) {
    std::filesystem::create_directories(dir / "charts.d");
    writeFile("chartsTN.h", "old contents");
    const auto fillFor = [&](const std::string& model, const std::string& append) {
        TestGenerator gen(path(model));
        gen.headerAppend = append;
        gen.state(101, {10, 10, 20, 20}, "A");
        gen.fill();
    };
    fillFor("charts.d/door", "TN.h"); // the only dot is in the folder name
    EXPECT_EQ(info().headerFile, path("chartsTN.h"));
    EXPECT_EQ(info().sourceFile, path("chartsTN.cpp"));
    EXPECT_EQ(info().headerFileName, "chartsTN.h");
    EXPECT_EQ(slurp(path("chartsTN.h")), ""); // created empty

    fillFor("plain", "dummy");
    EXPECT_EQ(info().headerFile, path("plaindummy"));
    EXPECT_EQ(info().sourceFile, path("plainTN.cpp"));
    EXPECT_TRUE(info().headerFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(path("plaindummy")));

    EXPECT_EQ(thrownBy([&] { fillFor("missing/door.tvc", "TN.h"); }),
              "Unable to open " + path("missing/doorTN.h") + " for writing.");
}

TEST_F(CodegenTest, ConstructionJoinsShapesWhateverTheirListOrder) {
    TestGenerator gen(path("door.tvc"));
    auto* t = new TransitionEx(201, nullptr, {0, 0}, {0, 10});
    t->setHeadStateId(101);
    t->setTailStateId(102);
    auto* m = gen.add(new MesgEx(301, nullptr, {0, 0, 10, 6}, t));
    gen.add(t);
    auto* a = gen.state(101, {10, 10, 20, 20}, "A");
    auto* b = gen.state(102, {30, 10, 40, 20}, "B");
    gen.construct();
    EXPECT_EQ(t->getMesg(), m);
    EXPECT_EQ(a->getHeads(), std::vector<Transition*>{t});
    EXPECT_EQ(b->getTails(), std::vector<Transition*>{t});

    delete a;
    EXPECT_EQ(gen.getShapes(), (std::vector<Shape*>{m, t, b}));
    delete t; // takes its label with it
    EXPECT_EQ(gen.getShapes(), std::vector<Shape*>{b});
    EXPECT_EQ(gen.getShape(301), nullptr);
}

TEST_F(CodegenTest, DumpErrorPrintsAndWritesTheFailure) {
    TestGenerator gen(path("door.tvc"));
    ::testing::internal::CaptureStdout();
    gen.dumpError(path("error.txt"), "Nil Model");
    gen.dumpError(path("no/such/error.txt"), "x"); // skipped silently
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "FAILURE:\nError : Nil Model\nFAILURE:\nError : x\n");
    EXPECT_EQ(slurp(path("error.txt")), "FAILURE:\nError : Nil Model\n");
}

// --- model files ---

std::string record(const std::string& type, long id, short layer, const std::string& body) {
    const std::string n = std::to_string(id);
    return "BEGIN " + type + " " + n + "\n" + n + " " + std::to_string(layer) + "\n" + body;
}
const std::string kEmptyBlock = "0\nTEXTBEGIN\n\nTEXTEND\n";
std::string state(long id, const std::string& rect, const std::string& name) {
    return record("GenericState", id, 10,
                  rect + "\n1\n" + name + "\n0 16777215 0\n" + kEmptyBlock + kEmptyBlock);
}
std::string transition(long id, long from, long to) {
    return record("Transition", id, 40,
                  "10 10 10 30\n" + std::to_string(from) + " " + std::to_string(to) +
                      "\n3 1 1 1\n2 10 10 10 20 \n3 10 20 10 30 \n");
}
std::string note(long id) {
    return record("Note", id, 50,
                  "150 10 170 20\n1\n0 0 8454143 128\n4\nTEXTBEGIN\nNote\nTEXTEND\n");
}
std::string model(const std::string& records) {
    const std::string decl = "0\nDECL BEGIN\n\nDECL END\n";
    const std::string include = "0\nINCLUDE BEGIN\n\nINCLUDE END\n";
    return "9999 4 1\n6\nBEGIN DATA\n" + records + "END DATA\nDoor\nContext\nContext.h\n\n" +
           include + decl + "Ann\n0\nDESC BEGIN\n\nDESC END\n" + include + decl + "Context\n\n" +
           decl + "Context\n\n" + decl;
}
// Idle holds Open and Closed and starts in Closed; a note and a label sit between the states.
std::string doorChart() {
    return model(state(101, "10 10 100 100", "Idle") + state(102, "20 20 40 40", "Open") +
                 note(106) +
                 record("Mesg", 301, 20,
                        "30 50 40 56\n1\n0 0 16777215 65280\n202\n push \n\n" + kEmptyBlock) +
                 state(103, "50 20 70 40", "Closed") +
                 record("InitialState", 104, 10, "20 60 24 64\n1\ninit\n") +
                 record("FinalState", 105, 10, "120 10 124 14\n1\nDone\n") +
                 transition(201, 104, 103) + transition(202, 102, 103) + transition(203, 103, 105));
}

std::string generateFailure(const std::string& file) {
    TestGenerator gen(file);
    return thrownBy([&] { gen.generate(recordProgress); });
}

TEST_F(CodegenTest, ReadingFailures) {
    EXPECT_EQ(generateFailure(path("absent.tvc")), "Unable to open file : " + path("absent.tvc"));
    EXPECT_EQ(progressLines(), std::vector<std::string>{"Reading model file..."});

    writeFile("nodata.tvc", "9999 4 1\n6\nBEGIN NOTDATA\nDATA\n");
    EXPECT_EQ(generateFailure(path("nodata.tvc")), "Invalid File : " + path("nodata.tvc"));
    writeFile("magic.tvc", "9998 4 1\n6\nBEGIN DATA\nEND DATA\n");
    EXPECT_EQ(generateFailure(path("magic.tvc")), "Not a valid Tavren model file");
    writeFile("empty.tvc", model(""));
    EXPECT_EQ(generateFailure(path("empty.tvc")), "Nil Model");
    writeFile("notes.tvc", model(note(101) + note(102)));
    EXPECT_EQ(generateFailure(path("notes.tvc")), "Nil Model");
    // Shapes read before the failure are freed.
    const std::string door = doorChart();
    writeFile("cut.tvc", door.substr(0, door.find("END DATA\n") + 9) + "Door\n");
    EXPECT_EQ(generateFailure(path("cut.tvc")), "Invalid or Corrupt File");
}

TEST_F(CodegenTest, GenerateRunsEveryStepInOrder) {
    writeFile("door.tvc", doorChart());
    TestGenerator gen(path("door.tvc"));
    ASSERT_EQ(thrownBy([&] { gen.readModelFile(recordProgress); }), "<nothing thrown>");
    std::string kinds; // notes are dropped, the rest keeps file order
    for (Shape* s : gen.getShapes())
        kinds += s->getType() + " ";
    EXPECT_EQ(kinds, "GenericState GenericState Mesg GenericState InitialState FinalState "
                     "Transition Transition Transition ");
    EXPECT_NE(dynamic_cast<MesgEx*>(gen.getShapes()[2]), nullptr);

    TestGenerator run(path("door.tvc"));
    ASSERT_EQ(thrownBy([&] { run.generate(recordProgress); }), "<nothing thrown>");
    EXPECT_TRUE(run.generated);
    EXPECT_EQ(progressLines(),
              (std::vector<std::string>{
                  "Reading model file...", "Analysing model...", "Analysing State Idle",
                  "Analysing State Open", "Analysing State Closed", "Analysing State init",
                  "Checking for model constraints...", "Parsing...",
                  "Parsing transition from Open to Closed...", "Generating code..."}));
    EXPECT_EQ(info().author, "Ann");
    EXPECT_EQ(info().messageNames, std::list<std::string>{"push"});
    EXPECT_EQ(info().stateInfos.front().subStateClassNames,
              (std::list<std::string>{"Closed_Idle", "Open_Idle"}));
}

} // namespace
