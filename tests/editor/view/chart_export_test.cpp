#include "editor/view/chart_export.h"

#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "tests/editor/view/example_charts.h"
#include "tests/fakes/fake_platform.h"
#include "view/layout_mgr.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages in a PDF written by Qt: one "/Type /Page" object each ("/Pages" is the tree).
int pdfPages(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                            pdf.count("/Type /Page/") + pdf.count("/Type /Page "));
}

QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::white)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

std::string exported(LayoutMgr& layout, const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    exportChart(layout, path.toStdString());
    return path.toStdString();
}

// The view printed to a PDF file; a name in a folder that does not exist must fail.
QByteArray printed(ChartView& view, const QTemporaryDir& dir, const QString& name,
                   QPageSize::PageSizeId size) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(name));
    printer.setPageSize(QPageSize(size));
    EXPECT_EQ(view.print(printer), !name.contains('/'));
    return contents(dir.filePath(name));
}

} // namespace

TEST(ChartExportTest, WritesSvgPngAndPdfByExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LayoutMgr layout;
    readExample(layout, "traffic_light.tvc");
    const CSize extent = layout.getDrawingExtent();
    ASSERT_GT(extent.cx, 0);

    const QImage png(QString::fromStdString(exported(layout, dir, "chart.PNG")));
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.width(), extent.cx);
    EXPECT_LT(png.width(), extent.cx + 50);
    EXPECT_GT(png.height(), extent.cy);
    // Nothing is cut off: a white margin after everything painted.
    const QRect ink = inkBounds(png);
    EXPECT_LT(ink.right(), png.width() - 6);
    EXPECT_LT(ink.bottom(), png.height() - 6);
    // The states in their colour, at normal scale.
    GenericState* first = statesOf(layout).front();
    const CRect r = ViewServices::pFu(first->getRect());
    EXPECT_EQ(png.pixelColor(r.left + r.Width() / 2, r.bottom - 8), kStateYellow);
    // Printed transitions are black, never the screen's blue.
    bool blue = false;
    for (int y = 0; y < png.height() && !blue; ++y)
        for (int x = 0; x < png.width() && !blue; ++x)
            blue = png.pixelColor(x, y) == QColor(0, 128, 255);
    EXPECT_FALSE(blue);
    EXPECT_EQ(layout.getZoom(), 6);
    EXPECT_FALSE(layout.isPrinting());

    const QByteArray svg = contents(QString::fromStdString(exported(layout, dir, "chart.svg")));
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("Red")) << "state names as text";
    EXPECT_TRUE(svg.trimmed().endsWith("</svg>"));

    const QByteArray pdf = contents(QString::fromStdString(exported(layout, dir, "chart.Pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), 1);
}

TEST(ChartExportTest, RefusesUnknownFormatsAndUnwritablePaths) {
    QTemporaryDir dir;
    LayoutMgr layout;
    readExample(layout, "door.tvc");
    try {
        exportChart(layout, dir.filePath("chart.bmp").toStdString());
        FAIL() << "no bitmap export";
    } catch (const std::string& e) {
        EXPECT_EQ(e, "Unsupported export format: bmp");
    }
    EXPECT_THROW(exportChart(layout, dir.filePath("chart").toStdString()), std::string);

    const std::string missing = dir.filePath("no/such/folder/chart.svg").toStdString();
    try {
        exportChart(layout, missing);
        FAIL() << "the folder does not exist";
    } catch (const std::string& e) {
        EXPECT_EQ(e, "Unable to write " + missing);
    }
}

TEST(ChartViewPrintTest, PrintsOnePageWhenFittedElseEnoughToCover) {
    QTemporaryDir dir;
    ChartView view;
    readExample(view.layout(), "media_player.tvc");
    view.initialUpdate();

    const auto printTo = [&](const QString& name) {
        return printed(view, dir, name, QPageSize::A6);
    };
    const QByteArray pages = printTo("pages.pdf");
    ASSERT_TRUE(pages.startsWith("%PDF-"));
    EXPECT_GT(pdfPages(pages), 1) << "the chart is larger than an A6 page";

    view.layout().setFitToPage(true);
    EXPECT_EQ(pdfPages(printTo("fitted.pdf")), 1);
    EXPECT_EQ(view.layout().getZoom(), 6);
    EXPECT_TRUE(printTo("missing/folder.pdf").isEmpty());
}

// The traffic light's rightmost label box reaches past its text; the empty rest of the box
// must not make a blank page of its own.
TEST(ChartViewPrintTest, PagesCoverTheInkNotEmptyShapeMargins) {
    QTemporaryDir dir;
    ChartView view;
    readExample(view.layout(), "traffic_light.tvc");
    view.initialUpdate();
    EXPECT_EQ(pdfPages(printed(view, dir, "a4.pdf", QPageSize::A4)), 2);
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
