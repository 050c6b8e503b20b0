#include "model/archive.h"
#include "model/factory.h"
#include "model/model_data.h"
#include "model/util.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

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

TEST(ArchiveTest, HeaderVersionsAreComparedAsIntegersAndGateOnMajorAndMinor) {
    const std::string newer = "Version not compatible.\nDocument Version Supported:4.1\nDocument "
                              "Being Opened:";
    const std::string invalid = "Not a valid Tavren model file";
    const struct {
        const char* header;
        std::string failure;
        bool atLeast30 = false, atLeast31 = false;
    } cases[] = {{"9999 4 1\r\n", "", true, true},
                 {"9999 3 9\n", "", true, true},
                 {"9999 3 1", "", true, true},
                 {"9999 3 0\n", "", true, false},
                 {"9999 2 9", "", false, false},
                 {"9999 2 5\n", "", false, false},
                 {"9999 4 2\r\n", newer + "4.2"},
                 {"9999 5 0\n", newer + "5.0"},
                 {"", invalid},
                 {"9998 4 1\n", invalid},
                 {"hello\n", invalid},
                 {"9999\n", invalid},
                 {"9999 x y\n", invalid}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(headerFailure(c.header), c.failure);
        if (!c.failure.empty())
            continue;
        std::istringstream in(c.header);
        InArchive ar(in);
        ar.checkHeader();
        EXPECT_EQ(std::tuple(ar.isAtLeast(3, 0), ar.isAtLeast(3, 1)),
                  std::tuple(c.atLeast30, c.atLeast31));
    }
}

TEST(ArchiveTest, DataSectionFailuresAndSkippedLines) {
    for (const char* good : {"END DATA\r\n", "unrelated line\r\nEND DATA\n"})
        EXPECT_EQ(dataFailure(good), "") << good;
    for (const char* bad :
         {"", "BEGIN Link 101\r\n", "some line\r\n\r\nEND DATA\r\n", "some line\r\n"})
        EXPECT_EQ(dataFailure(bad), "Invalid File") << bad;
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

TEST(UtilTextTest, ReadRestRemoveTagAndTabs) {
    std::istringstream in("12 " + std::string(1000, 'z') + "\r\n34\r\n");
    long a = 0, b = 0;
    in >> a;
    Util::readRest(in); // discards a long tail
    in >> b;
    EXPECT_EQ(std::tuple(a, b), std::tuple(12, 34));
    EXPECT_EQ(Util::removeTag("a<M>b<M><M>c", "<M>") + Util::removeTag("<M", "<M>"), "abc<M");
    std::ostringstream out;
    for (int n : {3, 0, -2})
        Util::putTab(out, n);
    EXPECT_EQ(out.str(), "\t\t\t");
}
