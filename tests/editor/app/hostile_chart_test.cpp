// Damaged and hostile charts made from the examples by a seeded mutator (lines dropped,
// repeated and swapped, numbers made huge or negative, bytes flipped, files cut short):
// opening and exporting each ends in a picture or a clear error with nothing written, in
// seconds.

#include "editor/app/child_frame.h"
#include "editor/app/export_command.h"
#include "editor/view/chart_view.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "tests/editor/app/app_test_support.h"
#include "view/layout_mgr.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

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
        switch (below(6)) {
        case 0:
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 1:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[other]);
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
                           std::string(" ");
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
    testsupport::TempDir dir;
    Mutator mutator(0x7a5e);
    int pictures = 0, refused = 0;
    for (const char* example :
         {"door.tvc", "traffic_light.tvc", "media_player.tvc", "history.tvc"}) {
        const std::string original = testsupport::readFile(fs::path(TAVREN_EXAMPLES) / example);
        for (int n = 0; n < 20; ++n) {
            const fs::path chart = dir.path() / "chart.tvc";
            const fs::path picture = dir.path() / "chart.png";
            testsupport::writeFile(chart, mutator.mutate(original));
            fs::remove(picture);
            std::ostringstream err;
            QElapsedTimer timer;
            timer.start();
            const int status = exportFromCommandLine(chart.string(), picture.string(), err);
            const std::string what = std::string(example) + " #" + std::to_string(n);
            EXPECT_LT(timer.elapsed(), 20000) << what;
            if (status == 0) {
                ++pictures;
                EXPECT_EQ(testsupport::readFile(picture).substr(1, 3), "PNG") << what;
            } else {
                ++refused;
                EXPECT_FALSE(fs::exists(picture)) << what;
                EXPECT_EQ(err.str().rfind("tavren: ", 0), 0u) << what;
            }
        }
    }
    // Both outcomes occur, or the mutator tests nothing.
    EXPECT_GT(pictures, 0);
    EXPECT_GT(refused, 0);
}

// The largest chart the reader takes: a state 131,420 units tall and one near the far corner.
// The editor opens it, zooms in all the way, scrolls to the end and previews its printout (on
// the pages the pixel budget allows), in seconds.
TEST_F(EditorTest, AChartAsLargeAsTheReaderTakesOpensScrollsAndPreviews) {
    std::string chart = testsupport::readFile(fs::path(TAVREN_EXAMPLES) / "door.tvc");
    for (auto [from, to] : {std::pair{"40 20 100 50", "40 20 100 131440"},
                            std::pair{"200 120 260 150", "999000 999000 999060 999030"}})
        chart.replace(chart.find(from), std::string(from).size(), to);
    const fs::path file = dir.path() / "huge.tvc";
    testsupport::writeFile(file, chart);

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(start({QString::fromStdString(file.string())}));
    ChartView& view = frame().activeChild()->view();
    while (view.canZoomIn())
        view.zoomIn();
    for (QScrollBar* bar : {view.horizontalScrollBar(), view.verticalScrollBar()}) {
        EXPECT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum());
    }
    const CPoint at = view.layout().getScrollPosition();
    EXPECT_GT(at.x, 0);
    EXPECT_GT(at.y, 0);
    EXPECT_LE(at.y, view.layout().getTotalSize().cy);
    EXPECT_FALSE(view.viewport()->grab().isNull());

    for (bool fit : {false, true}) {
        view.layout().setFitToPage(fit);
        int pages = -1;
        QTimer::singleShot(0, [&pages] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            dialog->reject();
        });
        trigger(cmd::FilePrintPreview);
        EXPECT_GE(pages, 1) << fit;
        EXPECT_LE(pages, fit ? 1 : 100) << fit;
    }
    EXPECT_LT(timer.elapsed(), 20000);
}

} // namespace
