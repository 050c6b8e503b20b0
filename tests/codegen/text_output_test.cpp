// The text pieces generators share: how a label's event text splits into name and parameters
// (and which lists are refused before any code is written), and the file writer's helpers.

#include "codegen/event_text.h"
#include "codegen/file_writer.h"
#include "tests/codegen/chart_builder.h"

#include <sstream>

namespace {

// The split as "name|signature|[type/name]...", or the refusal's message.
std::string split(const std::string& text) {
    try {
        const EventText e = splitEventText(text);
        std::string out = e.name + "|" + e.signature + "|";
        for (const EventParameter& p : e.parameters)
            out += "[" + p.type + "/" + p.name + "]";
        return out;
    } catch (const std::string& message) {
        return "refused: " + message;
    }
}

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

TEST(EventTextTest, SplitsNameAndParametersAndRefusesListsNoGeneratorCouldUse) {
    const std::pair<const char*, const char*> accepted[] = {
        {"  go ", "go||"},
        {"door open", "door open||"},
        {"tick()", "tick||"},
        {"received(int count, bool last)", "received|int count, bool last|[int/count][bool/last]"},
        {" key ( const std::string &  text ) ", "key|const std::string &  text|"
                                                "[const std::string &/text]"},
        {"m(std::map<int, long> table, unsigned   int n)",
         "m|std::map<int, long> table, unsigned   int n|[std::map<int, long>/table][unsigned "
         "int/n]"},
        {"a(int[] values)", "a|int[] values|[int[]/values]"}};
    for (const auto& [text, expected] : accepted)
        EXPECT_EQ(split(text), expected) << text;
    const std::pair<const char*, const char*> refused[] = {
        {"received(int count", "is not closed by ')'"},
        {"received int count)", "without a '('"},
        {"received(int count) x", "is followed by \"x\""},
        {"(int count)", "has no event name"},
        {"r(int)", "without a type"},
        {"r(count)", "without a type"},
        {"r(int 3)", "does not end in a name"},
        {"r(int a,)", "empty parameter"},
        {"r(int a, int a)", "names \"a\" twice"},
        {"r(int a = 3)", "default value"},
        {"r(std::map<int, int a)", "unclosed '<'"},
        {"r(int a])", "unbalanced ']'"},
    };
    for (const auto& [text, part] : refused)
        EXPECT_TRUE(split(text).starts_with("refused: ") &&
                    split(text).find(part) != std::string::npos)
            << text << ": " << split(text);
}

TEST(EventTextTest, OneEventOneSignature) {
    ModelInfo& info = *ModelInfo::getInstance();
    info.reset();
    info.addEvent("received", "int count, bool last");
    info.addEvent("received", "int  count,bool last"); // blanks aside, the same
    info.addEvent("go", "");
    std::string message;
    try {
        info.addEvent("received", "int n");
    } catch (const std::string& m) {
        message = m;
    }
    for (const char* part : {"\"received\"", "(int count, bool last)", "(int n)"})
        EXPECT_NE(message.find(part), std::string::npos) << message;
    EXPECT_EQ(info.messageNames, (std::list<std::string>{"received", "go"}));
    info.reset();
}
