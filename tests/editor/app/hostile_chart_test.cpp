// Damaged and hostile input: charts made from the examples by a seeded mutator (lines dropped,
// repeated and swapped, numbers made huge or negative, bytes flipped, files cut short) end in
// a picture or a clear error with nothing written, in seconds; the largest chart the reader
// takes stays usable; damaged splash bitmaps are refused.

#include "editor/app/dib_image.h"
#include "editor/app/export_command.h"
#include "tests/editor/app/app_fixture.h"

#include <QtPrintSupport>

namespace {

using namespace testsupport;

class Mutator {
public:
    explicit Mutator(std::uint64_t seed) : state(seed) {}
    std::size_t below(std::size_t n) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::size_t>(state % n);
    }
    std::string mutate(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        const std::size_t at = 2 + below(lines.size() - 2), other = below(lines.size());
        static const char* const numbers[] = {"999999", "-999999", "2147483647",
                                              "-1",     "0",       "99999999999999999999"};
        const auto where = lines.begin() + static_cast<std::ptrdiff_t>(at);
        switch (below(6)) {
        case 0:
            lines.erase(where);
            break;
        case 1:
            lines.insert(where, lines[other]);
            break;
        case 2:
            std::swap(lines[at], lines[other]);
            break;
        case 3: { // a number made huge, negative or zero
            std::istringstream words(lines[at]);
            std::string word, rebuilt;
            while (words >> word)
                rebuilt += (below(2) && word.find_first_not_of("-0123456789") == std::string::npos
                                ? numbers[below(6)]
                                : word) +
                           " ";
            lines[at] = rebuilt;
            break;
        }
        default:
            break;
        }
        std::string out;
        for (const std::string& line : lines)
            out += line + "\n";
        if (below(4) == 0 && !out.empty())
            out[below(out.size())] ^= static_cast<char>(1 + below(255));
        if (below(5) == 0)
            out.resize(below(out.size()));
        return out;
    }

private:
    std::uint64_t state;
};

TEST(HostileChartTest, MutatedChartsEndInAPictureOrAClearErrorWithinSeconds) {
    TempDir dir;
    Mutator mutator(0x7a5e);
    int pictures = 0, refused = 0;
    const fs::path chart = dir.path() / "chart.tvc", picture = dir.path() / "chart.png";
    for (const char* example :
         {"door.tvc", "traffic_light.tvc", "media_player.tvc", "history.tvc"}) {
        const std::string original = readFile(fs::path(TAVREN_EXAMPLES) / example);
        for (int n = 0; n < 20; ++n) {
            SCOPED_TRACE(std::string(example) + " #" + std::to_string(n));
            writeFile(chart, mutator.mutate(original));
            fs::remove(picture);
            std::ostringstream err;
            QElapsedTimer timer;
            timer.start();
            const int status = exportFromCommandLine(chart.string(), picture.string(), err);
            EXPECT_LT(timer.elapsed(), 20000);
            (status == 0 ? pictures : refused)++;
            if (status == 0)
                EXPECT_EQ(readFile(picture).substr(1, 3), "PNG");
            else
                EXPECT_TRUE(!fs::exists(picture) && err.str().rfind("tavren: ", 0) == 0)
                    << err.str();
        }
    }
    // Both outcomes occur, or the mutator tests nothing.
    EXPECT_GT(pictures, 0);
    EXPECT_GT(refused, 0);
}

// A state 131,420 units tall and one near the far corner: the editor opens the chart, zooms in
// all the way, scrolls to the end and previews its printout (on the pages the pixel budget
// allows), in seconds.
TEST_F(EditorTest, AChartAsLargeAsTheReaderTakesOpensScrollsAndPreviews) {
    std::string text = readFile(fs::path(TAVREN_EXAMPLES) / "door.tvc");
    for (auto [from, to] : {std::pair{"40 20 100 50", "40 20 100 131440"},
                            std::pair{"200 120 260 150", "999000 999000 999060 999030"}})
        text.replace(text.find(from), std::string(from).size(), to);
    writeFile(dir.path() / "huge.tvc", text);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(start({QString::fromStdString((dir.path() / "huge.tvc").string())}));
    ChartView& view = active().view();
    while (view.canZoomIn())
        view.zoomIn();
    for (QScrollBar* bar : {view.horizontalScrollBar(), view.verticalScrollBar()}) {
        EXPECT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum());
    }
    const CPoint at = view.layout().getScrollPosition();
    EXPECT_TRUE(at.x > 0 && at.y > 0 && at.y <= view.layout().getTotalSize().cy);
    EXPECT_FALSE(view.viewport()->grab().isNull());
    for (bool fit : {false, true}) {
        view.layout().setFitToPage(fit);
        int pages = -1;
        drive<QPrintPreviewDialog>(
            [&pages](QPrintPreviewDialog& d) {
                pages = d.findChild<QPrintPreviewWidget*>()->pageCount();
                d.reject();
            },
            [&] { trigger(cmd::FilePrintPreview); });
        EXPECT_GE(pages, 1) << fit;
        EXPECT_LE(pages, fit ? 1 : 100) << fit;
    }
    EXPECT_LT(timer.elapsed(), 20000);
}

void set32(std::string& s, std::size_t at, std::uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        s[at + i] = char(v >> (8 * i) & 0xFF);
}

TEST(DibImageTest, ReadsTwentyFourBitAndPaletteImagesAndRefusesDamagedOnes) {
    auto image = parseDib(bmp24(5, 3));
    ASSERT_TRUE(image);
    EXPECT_EQ(std::pair(image->width, image->height), std::pair(5, 3));
    // Bottom-up rows come top first: red x, green y, blue 7 at (x, y) counted from the top.
    EXPECT_EQ(image->pixels[0], 0xFF000007u);
    EXPECT_EQ(image->pixels[2 * 5 + 4], 0xFF040207u);
    // 2x2, 8 bits, two colours, rows stored top first.
    std::string s = bmp24(1, 1).substr(0, 54);
    set32(s, 18, 2);
    set32(s, 22, std::uint32_t(-2));
    set32(s, 28, 8, 2);
    set32(s, 46, 2);
    set32(s, 10, 62);
    s += std::string("\x10\x20\x30\x00\xFF\x00\x00\x00\x00\x01\x00\x00\x01\x05\x00\x00", 16);
    image = parseDib(s);
    ASSERT_TRUE(image);
    // An index beyond the two colours shows black instead of reading past the table.
    EXPECT_EQ(image->pixels,
              (std::vector<std::uint32_t>{0xFF302010u, 0xFF0000FFu, 0xFF0000FFu, 0xFF000000u}));
    const std::string good = bmp24(4, 4);
    const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damage = {
        {"empty", [](std::string& b) { b.clear(); }},
        {"file header only", [](std::string& b) { b.resize(14); }},
        {"not BM", [](std::string& b) { b[0] = 'X'; }},
        {"core header", [](std::string& b) { set32(b, 14, 12); }},
        {"header past end", [](std::string& b) { set32(b, 14, 0x7FFFFFFF); }},
        {"zero width", [](std::string& b) { set32(b, 18, 0); }},
        {"negative width", [](std::string& b) { set32(b, 18, std::uint32_t(-4)); }},
        {"absurd width", [](std::string& b) { set32(b, 18, 0x40000000); }},
        {"absurd height", [](std::string& b) { set32(b, 22, 0x80000000); }},
        {"odd bit depth", [](std::string& b) { set32(b, 28, 7, 2); }},
        {"compressed", [](std::string& b) { set32(b, 30, 1); }},
        {"image size past end", [](std::string& b) { set32(b, 34, 0xFFFFFFF0); }},
        {"image size too small", [](std::string& b) { set32(b, 34, 4); }},
        {"colours past end", [](std::string& b) { set32(b, 46, 0x3FFFFFFF); }},
        {"palette image without table",
         [](std::string& b) { set32(b, 28, 8, 2), set32(b, 10, 0); }},
        {"pixel offset past end", [](std::string& b) { set32(b, 10, 0xFFFFFF00); }},
        {"truncated pixels", [](std::string& b) { b.resize(b.size() - 1); }},
    };
    ASSERT_TRUE(parseDib(good));
    for (const auto& [name, apply] : damage) {
        std::string bytes = good;
        apply(bytes);
        EXPECT_FALSE(parseDib(bytes)) << name;
    }
    EXPECT_FALSE(loadDib("/nonexistent/_sp.tn"));
}

} // namespace
