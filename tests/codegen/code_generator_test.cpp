#include "tests/codegen/chart_builder.h"

#include <sstream>

namespace {

const std::string kDoor = slurp(TAVREN_TEST_DATA "/codegen_door.tvc");

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
    EXPECT_EQ(info().headerFile + info().sourceFile, path("chartsTN.h") + path("chartsTN.cpp"));
    EXPECT_EQ(info().headerFileName, "chartsTN.h");
    EXPECT_EQ(slurp(path("chartsTN.h")), ""); // created empty

    fillFor("plain", "dummy");
    EXPECT_EQ(info().headerFile + info().sourceFile, path("plaindummy") + path("plainTN.cpp"));
    EXPECT_TRUE(info().headerFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(path("plaindummy")));

    EXPECT_EQ(thrownBy([&] { fillFor("missing/door.tvc", "TN.h"); }),
              "Unable to open " + path("missing/doorTN.h") + " for writing.");
}

TEST_F(CodegenTest, DeletingAShapeUnlinksItAndATransitionTakesItsLabel) {
    TestGenerator gen(path("door.tvc"));
    auto* a = gen.state(101, {10, 10, 20, 20}, "A");
    auto* b = gen.state(102, {30, 10, 40, 20}, "B");
    TransitionEx* t = gen.transition(201, 101, 102);
    MesgEx* m = gen.label(301, t, "go");
    gen.construct();
    EXPECT_EQ(a->getHeads(), std::vector<Transition*>{t});
    delete a;
    EXPECT_EQ(gen.getShapes(), (std::vector<Shape*>{b, t, m}));
    delete t;
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

std::string generateFailure(const std::string& file) {
    TestGenerator gen(file);
    return thrownBy([&] { gen.generate(recordProgress); });
}

TEST_F(CodegenTest, ReadingFailures) {
    EXPECT_EQ(generateFailure(path("absent.tvc")), "Unable to open file : " + path("absent.tvc"));
    EXPECT_EQ(progressLines(), std::vector<std::string>{"Reading model file..."});
    const std::string data = kDoor.substr(0, kDoor.find("BEGIN GenericState"));
    const std::string end = kDoor.substr(kDoor.find("END DATA"));
    const auto at = kDoor.find("BEGIN Note");
    const std::string note = kDoor.substr(at, kDoor.find("BEGIN Mesg") - at);
    const std::pair<std::string, std::string> cases[] = {
        {"9999 4 1\n6\nBEGIN NOTDATA\nDATA\n", "Invalid File : " + path("bad.tvc")},
        {"9998 4 1\n6\nBEGIN DATA\nEND DATA\n", "Not a valid Tavren model file"},
        {data + end, "Nil Model"},
        {data + note + end, "Nil Model"},
        // Shapes read before the failure are freed.
        {kDoor.substr(0, kDoor.find("END DATA\n") + 9) + "Door\n", "Invalid or Corrupt File"},
    };
    for (const auto& [text, message] : cases) {
        writeFile("bad.tvc", text);
        EXPECT_EQ(generateFailure(path("bad.tvc")), message) << text;
    }
}

} // namespace
