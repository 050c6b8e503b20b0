#include "editor/tools/bmp_file.h"
#include "editor/tools/splash_picture.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

QByteArray readBuilt(const char* relative) {
    QFile file(QStringLiteral(TAVREN_BUILD_ROOT "/") + QLatin1String(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative;
    return file.readAll();
}

// The headers the splash window insists on: "BM", a 40-byte header, 24 bits, no compression,
// and sizes that agree with the file; the image itself as Qt reads it.
QImage expectBmp(const QByteArray& bmp, int width, int height) {
    auto u32 = [&bmp](int at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | std::uint8_t(bmp[at + i]);
        return v;
    };
    const std::uint32_t rowSize = (std::uint32_t(width) * 3 + 3) / 4 * 4;
    EXPECT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), "BM");
    const std::vector<std::uint32_t> fields = {u32(2),  u32(10), u32(14), u32(18), u32(22),
                                               u32(26), u32(30), u32(34), u32(46)};
    EXPECT_EQ(fields, (std::vector<std::uint32_t>{std::uint32_t(bmp.size()), 54, 40,
                                                  std::uint32_t(width), std::uint32_t(height),
                                                  24 << 16 | 1, 0, rowSize * height, 0}));
    EXPECT_EQ(std::uint32_t(bmp.size()), 54 + rowSize * std::uint32_t(height));
    return QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST(BmpFileTest, OddWidthRowsArePaddedAndStoredBottomUp) {
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb pixels[] = {qRgb(255, 0, 0), qRgb(0, 255, 0),     qRgb(0, 0, 255),
                           qRgb(1, 2, 3),   qRgb(250, 251, 252), qRgb(9, 8, 7)};
    for (int i = 0; i < 6; ++i)
        image.setPixel(i % 3, i / 3, pixels[i]);
    const QByteArray bmp = encodeBmp24(image);
    EXPECT_EQ(expectBmp(bmp, 3, 2), image);
    // The first stored row is the bottom one, blue-green-red, then 3 bytes of padding.
    EXPECT_EQ(bmp.mid(54, 15),
              QByteArray("\x03\x02\x01\xfc\xfb\xfa\x07\x08\x09\0\0\0\x00\x00\xff", 15));
}

TEST(SplashFileTest, BuildWritesABitmapOfTheSplashWindowsSizeAndBothHelpPdfs) {
    const QImage image = expectBmp(readBuilt("bin/_sp.tn"), kSplashWidth, kSplashHeight);
    ASSERT_EQ(image.size(), QSize(kSplashWidth, kSplashHeight));
    // The version text is drawn in black over this corner, so it must stay light.
    for (int y = kVersionTextRoom.top(); y <= kVersionTextRoom.bottom(); ++y)
        for (int x = kVersionTextRoom.left(); x <= kVersionTextRoom.right(); ++x)
            ASSERT_GT(qGray(image.pixel(x, y)), 200) << x << "," << y;
    for (const char* doc : {"Docs/Tavren-UserGuide.pdf", "Docs/Tavren-Tutorial.pdf"}) {
        const QByteArray pdf = readBuilt(doc);
        EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF")) << doc;
    }
}

} // namespace
