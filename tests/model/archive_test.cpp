#include "model/archive.h"
#include "model/factory.h"
#include "model/model_data.h"
#include "model/util.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string headerFailure(const std::string& text) {
    std::istringstream in(text);
    InArchive ar(in);
    try {
        ar.checkHeader();
    } catch (const std::string& message) {
        return message;
    }
    return "";
}

std::string dataFailure(const std::string& text) {
    std::istringstream in(text);
    InArchive ar(in);
    Factory factory;
    ModelData data(factory);
    try {
        ar >> data;
    } catch (const std::string& message) {
        return message;
    }
    return "";
}

} // namespace

TEST(ArchiveTest, HeaderVersionsAreComparedAsIntegers) {
    EXPECT_EQ(headerFailure("9999 4 1\r\n"), "");
    EXPECT_EQ(headerFailure("9999 3 9\n"), "");
    EXPECT_EQ(headerFailure("9999 3 0\n"), "");
    EXPECT_EQ(headerFailure("9999 2 5\n"), "");
    EXPECT_EQ(headerFailure("9999 4 2\r\n"),
              "Version not compatible.\nDocument Version Supported:4.1\nDocument Being Opened:4.2");
    EXPECT_EQ(headerFailure("9999 5 0\n"),
              "Version not compatible.\nDocument Version Supported:4.1\nDocument Being Opened:5.0");
    for (const char* bad : {"", "9998 4 1\n", "hello\n", "9999\n", "9999 x y\n"})
        EXPECT_EQ(headerFailure(bad), "Not a valid Tavren model file") << bad;
}

TEST(ArchiveTest, VersionGatesUseMajorAndMinor) {
    struct Case {
        const char* header;
        bool atLeast30, atLeast31;
    } cases[] = {{"9999 2 9", false, false},
                 {"9999 3 0", true, false},
                 {"9999 3 1", true, true},
                 {"9999 4 0", true, true}};
    for (const Case& c : cases) {
        std::istringstream in(c.header);
        InArchive ar(in);
        ar.checkHeader();
        EXPECT_EQ(ar.isAtLeast(3, 0), c.atLeast30) << c.header;
        EXPECT_EQ(ar.isAtLeast(3, 1), c.atLeast31) << c.header;
    }
}

TEST(ArchiveTest, DataSectionFailuresAndSkippedLines) {
    EXPECT_EQ(dataFailure("END DATA\r\n"), "");
    EXPECT_EQ(dataFailure("unrelated line\r\nEND DATA\n"), "");
    EXPECT_EQ(dataFailure(""), "Invalid File");
    EXPECT_EQ(dataFailure("BEGIN Link 101\r\n"), "Invalid File");
    EXPECT_EQ(dataFailure("some line\r\n\r\nEND DATA\r\n"), "Invalid File");
    EXPECT_EQ(dataFailure("some line\r\n"), "Invalid File");
}

TEST(ArchiveTest, SeekDataSkipsLinesBeforeTheDataSection) {
    std::istringstream in("6\r\nnoise\r\nBEGIN  DATA\r\nEND DATA\r\n");
    InArchive ar(in);
    EXPECT_TRUE(ModelData::seekData(ar));
    std::string line;
    ASSERT_TRUE(ar.readLine(line));
    EXPECT_EQ(line, "END DATA");

    std::istringstream none("9999 4 1\nno data here\n");
    InArchive ar2(none);
    EXPECT_FALSE(ModelData::seekData(ar2));
}

TEST(UtilTextTest, TextBlocksRoundTripWithCrLfEverywhere) {
    const std::string texts[] = {"",
                                 "a",
                                 "a\r\nb",
                                 "\r\n",
                                 "line one\r\n\r\nline three\r\n",
                                 std::string(600, 'x') + "\r\n" + std::string(300, 'y')};
    for (const std::string& text : texts) {
        std::ostringstream out;
        Util::writeMultiLines(out, text, "TEXTBEGIN", "TEXTEND");
        std::istringstream in(out.str() + "after\r\n");
        std::string back = "not read";
        Util::readMultiLines(in, back, "TEXTBEGIN", "TEXTEND");
        EXPECT_EQ(back, text);
        std::string rest;
        std::getline(in, rest);
        EXPECT_EQ(rest, "after\r"); // the block consumed exactly its own lines
    }
    std::ostringstream out;
    Util::writeMultiLines(out, "a\r\nb", "TEXTBEGIN", "TEXTEND");
    EXPECT_EQ(out.str(), "4\r\nTEXTBEGIN\r\na\r\nb\r\nTEXTEND\r\n");
}

TEST(UtilTextTest, TextBlocksReadWithBareLineFeeds) {
    std::istringstream in("4\nTEXTBEGIN\na\nb\nTEXTEND\n");
    std::string text;
    Util::readMultiLines(in, text, "TEXTBEGIN", "TEXTEND");
    EXPECT_EQ(text, "a\r\nb");
}

TEST(UtilTextTest, BrokenBlocksAreCorrupt) {
    for (const char* bad : {"", "0\n", "0\nTEXT BEGIN\n\nTEXTEND\n", "3\nTEXTBEGIN\nabc\n"}) {
        std::istringstream in(bad);
        std::string text;
        EXPECT_THROW(
            {
                try {
                    Util::readMultiLines(in, text, "TEXTBEGIN", "TEXTEND");
                } catch (const std::string& m) {
                    EXPECT_EQ(m, "Invalid or Corrupt File");
                    throw;
                }
            },
            std::string)
            << bad;
    }
}

TEST(UtilTextTest, ReadRestDiscardsLongTails) {
    std::istringstream in("12 " + std::string(1000, 'z') + "\r\n34\r\n");
    long a = 0, b = 0;
    in >> a;
    Util::readRest(in);
    in >> b;
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
}

TEST(UtilTextTest, RemoveTagAndTabs) {
    EXPECT_EQ(Util::removeTag("a<M>b<M><M>c", "<M>"), "abc");
    EXPECT_EQ(Util::removeTag("<M", "<M>"), "<M");
    std::ostringstream out;
    Util::putTab(out, 3);
    Util::putTab(out, 0);
    Util::putTab(out, -2);
    EXPECT_EQ(out.str(), "\t\t\t");
}
