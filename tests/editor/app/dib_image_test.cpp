#include "editor/app/dib_image.h"

#include "tests/editor/app/app_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using testsupport::bmp24;

namespace {

void set32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + i] = char(v >> (8 * i) & 0xFF);
}

void set16(std::string& s, std::size_t at, unsigned v) {
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8);
}

} // namespace

TEST(DibImageTest, ReadsBottomUpTwentyFourBitRowsTopFirst) {
    const auto image = parseDib(bmp24(5, 3));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    // red x, green y, blue 7 at (x, y) counted from the top
    EXPECT_EQ(image->pixels[0], 0xFF000007u);
    EXPECT_EQ(image->pixels[2 * 5 + 4], 0xFF040207u);
}

TEST(DibImageTest, PaletteImagesAndTopDownRows) {
    // 2x2, 8 bits, two colours, rows stored top first.
    std::string s = bmp24(1, 1).substr(0, 54);
    set32(s, 18, 2);
    set32(s, 22, std::uint32_t(-2));
    set16(s, 28, 8);
    set32(s, 46, 2);
    s += std::string("\x10\x20\x30\x00", 4) + std::string("\xFF\x00\x00\x00", 4);
    set32(s, 10, 62);
    s += std::string("\x00\x01\x00\x00", 4) + std::string("\x01\x05\x00\x00", 4);
    const auto image = parseDib(s);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[0], 0xFF302010u);
    EXPECT_EQ(image->pixels[1], 0xFF0000FFu);
    EXPECT_EQ(image->pixels[2], 0xFF0000FFu);
    // An index beyond the two colours shows black instead of reading past the table.
    EXPECT_EQ(image->pixels[3], 0xFF000000u);
}

TEST(DibImageTest, DamagedFilesAreNotLoaded) {
    const std::string good = bmp24(4, 4);
    const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damage = {
        {"empty", [](std::string& s) { s.clear(); }},
        {"file header only", [](std::string& s) { s.resize(14); }},
        {"not BM", [](std::string& s) { s[0] = 'X'; }},
        {"core header", [](std::string& s) { set32(s, 14, 12); }},
        {"header past end", [](std::string& s) { set32(s, 14, 0x7FFFFFFF); }},
        {"zero width", [](std::string& s) { set32(s, 18, 0); }},
        {"negative width", [](std::string& s) { set32(s, 18, std::uint32_t(-4)); }},
        {"absurd width", [](std::string& s) { set32(s, 18, 0x40000000); }},
        {"absurd height", [](std::string& s) { set32(s, 22, 0x80000000); }},
        {"odd bit depth", [](std::string& s) { set16(s, 28, 7); }},
        {"compressed", [](std::string& s) { set32(s, 30, 1); }},
        {"image size past end", [](std::string& s) { set32(s, 34, 0xFFFFFFF0); }},
        {"image size too small", [](std::string& s) { set32(s, 34, 4); }},
        {"colours past end", [](std::string& s) { set32(s, 46, 0x3FFFFFFF); }},
        {"palette image without table",
         [](std::string& s) {
             set16(s, 28, 8);
             set32(s, 10, 0);
         }},
        {"pixel offset past end", [](std::string& s) { set32(s, 10, 0xFFFFFF00); }},
        {"truncated pixels", [](std::string& s) { s.resize(s.size() - 1); }},
    };
    ASSERT_TRUE(parseDib(good));
    for (const auto& [name, apply] : damage) {
        std::string bytes = good;
        apply(bytes);
        EXPECT_FALSE(parseDib(bytes)) << name;
    }
    EXPECT_FALSE(loadDib("/nonexistent/_sp.tn"));
}
