// tvc2java run as the editor runs it: the class takes its file's name, the model properties'
// package, context and declarations, and compiles under javac -Xlint:all -Werror.

#include "tests/generators/managed_chart.h"

namespace {

class Tvc2javaTest : public GeneratorTest {
protected:
    static ProgramResult tvc2java(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2JAVA);
        return runProgram(args);
    }
};

} // namespace

TEST_F(Tvc2javaTest, TheClassIsNamedAfterItsFileAndCompilesWithoutWarnings) {
    // The model keeps its default name, which no file here carries.
    saveManagedChart(dir / "door.tvc", [](ModelProperties& p) {
        p.ctxNameJAVA = "DoorContext";
        p.ctxPackageJAVA = "com.example.door";
        p.declJAVA = "private int count;\r\n\r\npublic int count() {\r\n    return count;\r\n}";
    });
    std::filesystem::copy_file(dir / "door.tvc", dir / "my door.tvc");
    ASSERT_EQ(tvc2java({"-d", "-g", (dir / "door.tvc").string()}).status, 0);
    const ProgramResult plain = tvc2java({"-d", (dir / "my door.tvc").string()});
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_EQ(plain.err, "");
    // One source file each, no header, nothing named "dummy".
    EXPECT_EQ(files(),
              (std::set<std::string>{"door.tvc", "doorTN.java", "my door.tvc", "my doorTN.java"}));

    const std::string traced = slurp(dir / "doorTN.java");
    for (const char* text :
         {"\npackage com.example.door;\n", "\npublic final class doorTN {\n",
          "    public doorTN(DoorContext ctx) {\n", "    private int count;\n",
          "    public void setTrace(java.util.function.Consumer<String> fn) {\n",
          "    public void wait_() {\n", "    public void class_() {\n",
          "    public void go_on() {\n",
          "    public void start_() {\n", "    // \\u00fcber\n    public void n_ber() {\n",
          "return \"\\u00fcber\";", "trace_(\"enter T\\u00fcr_a-b\");"})
        EXPECT_NE(traced.find(text), std::string::npos) << text << "\n" << traced;
    // A file name that is no identifier cannot hold a public class; the class stays in the
    // package, and the version without -g holds no trace code.
    const std::string untraced = slurp(dir / "my doorTN.java");
    EXPECT_NE(untraced.find("\nfinal class my_doorTN {\n"), std::string::npos) << untraced;
    EXPECT_EQ(untraced.find("trace_"), std::string::npos);

    std::filesystem::create_directories(dir / "ctx");
    std::ofstream(dir / "ctx" / "DoorContext.java")
        << "package com.example.door;\n"
           "public class DoorContext {\n"
           "    public boolean ok() { return true; }\n"
           "    public void note(String text) { System.out.println(text); }\n"
           "}\n";
    const ProgramResult javac =
        runProgram({"javac", "-Xlint:all", "-Werror", "-d", (dir / "classes").string(),
                    (dir / "ctx" / "DoorContext.java").string(), (dir / "doorTN.java").string(),
                    (dir / "my doorTN.java").string()});
    EXPECT_EQ(javac.status, 0) << javac.err;

    // The same chart gives the same bytes.
    ASSERT_EQ(tvc2java({"-d", "-g", (dir / "door.tvc").string()}).status, 0);
    EXPECT_EQ(slurp(dir / "doorTN.java"), traced);
}

TEST_F(Tvc2javaTest, AFailureLeavesTheUsersFilesAlone) {
    TestChart chart;
    auto* a = chart.state({10, 10, 50, 40}, "A");
    auto* b = chart.state({100, 10, 140, 40}, "B");
    chart.label(chart.connect(a, NODE(2, 2), b, NODE(4, 2)), "go");
    chart.save(dir / "loose.tvc");
    // Without a header the front end still forms the name base + "dummy"; that file is not
    // the generator's to delete.
    std::ofstream(dir / "loosedummy") << "mine\n";

    const ProgramResult r = tvc2java({"-d", (dir / "loose.tvc").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("FAILURE:\nError : The chart has no initial state at its top level.\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(files(), (std::set<std::string>{"loose.tvc", "loosedummy"}));
}
