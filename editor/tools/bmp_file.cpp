#include "editor/tools/bmp_file.h"

#include <QImage>

#include <cstdint>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dots per inch

void put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xFF));
}

} // namespace

QByteArray encodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto width = std::uint32_t(rgb.width());
    const auto height = std::uint32_t(rgb.height());
    const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowSize * height;
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray out;
    out.reserve(qsizetype(pixelOffset + pixelBytes));
    out.append("BM", 2);
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0); // reserved
    put32(out, pixelOffset);

    put32(out, kInfoHeaderSize);
    put32(out, width);
    put32(out, height); // positive: rows run bottom-up
    put16(out, 1);      // planes
    put16(out, 24);     // bits per pixel
    put32(out, 0);      // no compression
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0); // no colour table
    put32(out, 0); // every colour important

    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        out.append(QByteArray(qsizetype(rowSize - width * 3), '\0'));
    }
    return out;
}
