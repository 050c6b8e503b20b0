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

#include <functional>

namespace {

// White space right and below the drawing, in normal pixels.
constexpr int kMargin = 12;
// Normal pixels are screen pixels at zoom 6.
constexpr int kDotsPerInch = 96;

// Paints the chart on a device whose logical pixels are normal pixels.
bool paintOn(QPaintDevice& device, LayoutMgr& layout, QSize size) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    QtDC dc(painter, 1.0);
    layout.drawForPrint(dc);
    return painter.end();
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
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(kDotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(kDotsPerInch / 0.0254));
        ok = paintOn(image, layout, size) && image.save(&buffer, "PNG");
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

    const CSize extent = layout.getDrawingExtent();
    const QSize size(extent.cx + kMargin, extent.cy + kMargin);
    bool ok = false;
    const QByteArray bytes = render(format, layout, size, ok);

    // Written whole or not at all.
    QSaveFile out(file);
    if (!ok || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw "Unable to write " + path;
}
