#include "editor/view/chart_export.h"

#include "tests/editor/view/example_charts.h"
#include "tests/fakes/fake_platform.h"

#include <QPrinter>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages in a PDF written by Qt: one "/Type /Page" object each ("/Pages" is the tree).
int pdfPages(const QByteArray& pdf) {
    int pages = 0;
    for (const char* end : {"\n", "\r", "/", " "})
        pages += static_cast<int>(pdf.count(QByteArray("/Type /Page") + end));
    return pages;
}

} // namespace

TEST(ChartExportTest, WritesSvgPngAndPdfByExtensionAndRefusesOthers) {
    QTemporaryDir dir;
    LayoutMgr layout;
    readExample(layout, "traffic_light.tvc");
    const CSize extent = layout.getDrawingExtent();
    auto exported = [&](const QString& name) {
        exportChart(layout, dir.filePath(name).toStdString());
        return dir.filePath(name);
    };
    const QImage png(exported("chart.PNG"));
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(png.width() > extent.cx && png.width() < extent.cx + 50 &&
                png.height() > extent.cy);
    // Nothing is cut off: a white margin after everything painted. Printed transitions are
    // black, never the screen's blue.
    QRect ink;
    bool blue = false;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            ink |= png.pixelColor(x, y) != Qt::white ? QRect(x, y, 1, 1) : QRect();
            blue |= png.pixelColor(x, y) == QColor(0, 128, 255);
        }
    EXPECT_LT(ink.right(), png.width() - 6);
    EXPECT_LT(ink.bottom(), png.height() - 6);
    EXPECT_FALSE(blue);
    // The states in their colour, at normal scale.
    const CRect r = ViewServices::pFu(statesOf(layout).front()->getRect());
    EXPECT_EQ(png.pixelColor(r.left + r.Width() / 2, r.bottom - 8), kStateYellow);
    EXPECT_EQ(layout.getZoom(), 6);
    EXPECT_FALSE(layout.isPrinting());
    const QByteArray svg = contents(exported("chart.svg"));
    EXPECT_TRUE(svg.startsWith("<?xml") && svg.contains("<svg") &&
                svg.trimmed().endsWith("</svg>"));
    EXPECT_TRUE(svg.contains("Red")) << "state names as text";
    const QByteArray pdf = contents(exported("chart.Pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), 1);
    const std::string missing = dir.filePath("no/such/folder/chart.svg").toStdString();
    for (auto [path, error] : {std::pair{dir.filePath("chart.bmp").toStdString(),
                                         std::string("Unsupported export format: bmp")},
                               {missing, "Unable to write " + missing},
                               {dir.filePath("chart").toStdString(), ""}}) {
        try {
            exportChart(layout, path);
            ADD_FAILURE() << path;
        } catch (const std::string& e) {
            EXPECT_TRUE(error.empty() || e == error) << e;
        }
    }
}

// The traffic light's rightmost label box reaches past its text; the empty rest of the box
// must not make a blank page of its own.
TEST(ChartViewPrintTest, PrintsOnePageWhenFittedElseEnoughToCoverTheInk) {
    QTemporaryDir dir;
    auto print = [&](const char* example, const QString& name, QPageSize::PageSizeId size,
                     bool fit) {
        ChartView view;
        readExample(view.layout(), example);
        view.initialUpdate();
        view.layout().setFitToPage(fit);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name));
        printer.setPageSize(QPageSize(size));
        // A name in a folder that does not exist must fail.
        EXPECT_EQ(view.print(printer), !name.contains('/'));
        EXPECT_EQ(view.layout().getZoom(), 6);
        return contents(dir.filePath(name));
    };
    const QByteArray pages = print("media_player.tvc", "pages.pdf", QPageSize::A6, false);
    ASSERT_TRUE(pages.startsWith("%PDF-"));
    EXPECT_GT(pdfPages(pages), 1) << "the chart is larger than an A6 page";
    EXPECT_EQ(pdfPages(print("media_player.tvc", "fitted.pdf", QPageSize::A6, true)), 1);
    EXPECT_TRUE(print("media_player.tvc", "missing/folder.pdf", QPageSize::A6, true).isEmpty());
    EXPECT_EQ(pdfPages(print("traffic_light.tvc", "a4.pdf", QPageSize::A4, false)), 2);
}

TEST(ChartPictureTest, CopyAsPicturePutsSvgAndAPictureOnTheClipboard) {
    FakePlatform fake;
    ChartView view;
    readExample(view.layout(), "traffic_light.tvc");
    view.copyAsPicture();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
    EXPECT_TRUE(mime->hasImage());
    EXPECT_EQ(fake.messages.shown,
              std::vector<std::string>{"Chart copied to clipboard as metafile successfully."});
}

// A state as tall as the reader allows must not make a picture of gigabytes.
TEST(ChartPictureTest, PicturesOfHugeChartsStayWithinThePixelBudget) {
    LayoutMgr layout;
    layout.getModelMgr()->addShape(
        new GenericState(layout.getModelMgr()->getNewId(), &layout, {0, 0, 20, 131420}, "Tall"));
    const QImage image = chartImage(layout);
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(static_cast<qint64>(image.width()) * image.height(), 50'000'000);
    EXPECT_GT(image.height(), 10 * image.width()) << "the proportions stay";
}
