#include "codegen/file_writer.h"
#include "tests/codegen/chart_builder.h"

#include <sstream>

namespace {

MesgInfo mesg(const std::string& event, const std::string& target, const std::string& guard = "") {
    return MesgInfo{event, target, 7, guard, "fx"};
}

std::string targets(const MData& d) {
    std::string out;
    for (const MDataEntry& e : d.entries)
        out += e.targetClassName;
    return out;
}

TEST(FileWriterTest, WritersSplitAtCarriageReturnLineFeedOnly) {
    std::ostringstream out;
    FileWriter::writeMultiLine(out, "a\r\nb\nc\r\n");
    FileWriter::writeMultiLineWithTab(out, "x;\r\n\r\ny;", "\t\t");
    FileWriter::writeEffect(out, "", ">");
    EXPECT_EQ(out.str(), "a\nb\nc\n\n\t\tx;\n\t\t\n\t\ty;\n>\n");
}

TEST(FileWriterTest, MessagesGroupByExactEventWithLongestGuardFirst) {
    std::list<MData> out{MData{"old", {MDataEntry{"O", "", ""}}}};
    FileWriter::convertMesgData({mesg("open", "A"), mesg("Open", "B"), mesg("open", "C", "x"),
                                 mesg("close", "D", "a"), mesg("close", "E", "b"),
                                 mesg("close", "F", "cc"), mesg("close", "G"),
                                 mesg("old", "N", "g")},
                                out);
    ASSERT_EQ(out.size(), 4u);
    auto it = out.begin();
    EXPECT_EQ(targets(*it), "NO"); // a record already in the output takes part
    EXPECT_EQ(targets(*++it), "CA");
    EXPECT_EQ(it->entries.front().effect, "fx");
    EXPECT_EQ(targets(*++it), "B");
    EXPECT_EQ(targets(*++it), "FEDG"); // equal guard lengths come out reversed
}

TEST(FileWriterTest, TwoUnguardedTransitionsForOneEventFail) {
    std::list<MData> out;
    EXPECT_EQ(thrownBy([&] {
                  FileWriter::convertMesgData({mesg("a", "X", "1"), mesg("a", "Y", "22"),
                                               mesg("b", "P"), mesg("b", "Q"), mesg("c", "R", "1"),
                                               mesg("c", "S", "22")},
                                              out);
              }),
              "An event without guard found multiple times for, EVENT = b");
    // Grouping finished for all; only the groups before the failing one are sorted.
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(targets(out.front()), "YX");
    EXPECT_EQ(targets(out.back()), "RS");
}

TEST_F(CodegenTest, FormatFuncNameAndCopyFile) {
    EXPECT_EQ(FileWriter::formatFuncName("Door_Open-2") + FileWriter::formatFuncName("on key.p"),
              "Door_Open-2on_key_p");
    EXPECT_EQ(FileWriter::formatFuncName("caf\xc3\xa9()"), "caf____"); // keeps the length
    // The copy gains one line break at the end.
    for (const auto& [text, copied] : {std::pair{"one\ntwo\n", "one\ntwo\n\n"},
                                       std::pair{"one\ntwo", "one\ntwo\n"}, std::pair{"", "\n"}}) {
        writeFile("in.txt", text);
        std::ostringstream out;
        FileWriter::copyFile(out, path("in.txt"));
        EXPECT_EQ(out.str(), copied);
    }
    std::ostringstream empty;
    EXPECT_EQ(thrownBy([&] { FileWriter::copyFile(empty, ""); }), "Please reinstall Tavren");
    EXPECT_EQ(thrownBy([&] { FileWriter::copyFile(empty, path("none")); }),
              "Unable to open file : " + path("none") + ", Please reinstall Tavren");
}

} // namespace
