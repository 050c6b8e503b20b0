#include "editor/view/chart_export.h"

#include "editor/platform/qt_dc.h"
#include "view/layout_mgr.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// White space right and below the drawing, in normal pixels.
constexpr int kMargin = 12;
// Normal pixels are screen pixels at zoom 6.
constexpr int kDotsPerInch = 96;

// A raster picture never holds more pixels than this (about 200 MB at 4 bytes a pixel):
// larger charts are drawn smaller. SVG and PDF keep every detail at any size.
constexpr qint64 kPixelBudget = 50'000'000;
constexpr int kMaxSide = 32'000;

// Paints the chart on a device whose logical pixels are normal pixels, times scale.
bool paintOn(QPaintDevice& device, LayoutMgr& layout, QSize size, double scale = 1.0) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.scale(scale, scale);
    QtDC dc(painter, 1.0);
    layout.drawForPrint(dc);
    return painter.end();
}

QImage picture(LayoutMgr& layout, QSize size) {
    const double area = static_cast<double>(size.width()) * size.height();
    // Within the budget, and within the largest side a picture can have.
    const double scale =
        std::min({1.0, std::sqrt(kPixelBudget / area), kMaxSide / static_cast<double>(size.width()),
                  kMaxSide / static_cast<double>(size.height())});
    const QSize pixels(std::max(1, static_cast<int>(size.width() * scale)),
                       std::max(1, static_cast<int>(size.height() * scale)));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDotsPerMeterX(qRound(kDotsPerInch * scale / 0.0254));
    image.setDotsPerMeterY(qRound(kDotsPerInch * scale / 0.0254));
    return paintOn(image, layout, pixels, scale) ? image : QImage();
}

QSize pictureSize(LayoutMgr& layout) {
    const CSize extent = layout.getDrawingExtent();
    return {extent.cx + kMargin, extent.cy + kMargin};
}

QByteArray render(const QString& format, LayoutMgr& layout, QSize size, bool& ok) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kDotsPerInch);
        svg.setTitle(QStringLiteral("Tavren chart"));
        ok = paintOn(svg, layout, size);
    } else if (format == QLatin1String("png")) {
        const QImage image = picture(layout, size);
        ok = !image.isNull() && image.save(&buffer, "PNG");
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageMargins(QMarginsF());
        pdf.setPageSize(QPageSize(QSizeF(size) / kDotsPerInch, QPageSize::Inch));
        pdf.setTitle(QStringLiteral("Tavren chart"));
        ok = paintOn(pdf, layout, size);
    }
    return bytes;
}

} // namespace

void exportChart(LayoutMgr& layout, const std::string& path) {
    const QString file = QString::fromStdString(path);
    const QString format = QFileInfo(file).suffix().toLower();
    if (format != QLatin1String("svg") && format != QLatin1String("png") &&
        format != QLatin1String("pdf"))
        throw std::string("Unsupported export format: ") + format.toStdString();

    bool ok = false;
    const QByteArray bytes = render(format, layout, pictureSize(layout), ok);

    // Written whole or not at all.
    QSaveFile out(file);
    if (!ok || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw "Unable to write " + path;
}

QByteArray chartSvg(LayoutMgr& layout) {
    bool ok = false;
    const QByteArray svg = render(QStringLiteral("svg"), layout, pictureSize(layout), ok);
    return ok ? svg : QByteArray();
}

QImage chartImage(LayoutMgr& layout) {
    return picture(layout, pictureSize(layout));
}
