#include "editor/tools/bmp_file.h"
#include "editor/tools/splash_picture.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t u32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint16_t u16(const QByteArray& b, int at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

QByteArray readBuilt(const char* relative) {
    QFile file(QStringLiteral(TAVREN_BUILD_ROOT "/") + QLatin1String(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative;
    return file.readAll();
}

// The headers the splash window insists on: "BM", a 40-byte header, 24 bits, no compression,
// and sizes that agree with the file.
void expectBmpHeaders(const QByteArray& bmp, int width, int height) {
    const std::uint32_t rowSize = (std::uint32_t(width) * 3 + 3) / 4 * 4;
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(u32(bmp, 2), std::uint32_t(bmp.size()));
    EXPECT_EQ(u32(bmp, 10), 54u);
    EXPECT_EQ(u32(bmp, 14), 40u);
    EXPECT_EQ(u32(bmp, 18), std::uint32_t(width));
    EXPECT_EQ(u32(bmp, 22), std::uint32_t(height));
    EXPECT_EQ(u16(bmp, 26), 1);
    EXPECT_EQ(u16(bmp, 28), 24);
    EXPECT_EQ(u32(bmp, 30), 0u);
    EXPECT_EQ(u32(bmp, 34), rowSize * std::uint32_t(height));
    EXPECT_EQ(u32(bmp, 46), 0u);
    EXPECT_EQ(std::uint32_t(bmp.size()), 54 + rowSize * std::uint32_t(height));
}

TEST(BmpFileTest, OddWidthRowsArePaddedAndStoredBottomUp) {
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb top[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    const QRgb bottom[] = {qRgb(1, 2, 3), qRgb(250, 251, 252), qRgb(9, 8, 7)};
    for (int x = 0; x < 3; ++x) {
        image.setPixel(x, 0, top[x]);
        image.setPixel(x, 1, bottom[x]);
    }
    const QByteArray bmp = encodeBmp24(image);
    expectBmpHeaders(bmp, 3, 2);
    // The first stored row is the bottom one, blue-green-red, then 3 bytes of padding.
    EXPECT_EQ(bmp.mid(54, 12), QByteArray("\x03\x02\x01\xfc\xfb\xfa\x07\x08\x09\0\0\0", 12));
    EXPECT_EQ(bmp.mid(66, 3), QByteArray("\x00\x00\xff", 3));

    const QImage decoded = QImage::fromData(bmp, "BMP");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), image);
}

TEST(SplashFileTest, BuildWritesABitmapOfTheSplashWindowsSize) {
    const QByteArray bmp = readBuilt("bin/_sp.tn");
    expectBmpHeaders(bmp, kSplashWidth, kSplashHeight);

    const QImage image = QImage::fromData(bmp, "BMP");
    ASSERT_EQ(image.size(), QSize(kSplashWidth, kSplashHeight));
    // The version text is drawn in black over this corner, so it must stay light.
    for (int y = kVersionTextRoom.top(); y <= kVersionTextRoom.bottom(); ++y)
        for (int x = kVersionTextRoom.left(); x <= kVersionTextRoom.right(); ++x)
            ASSERT_GT(qGray(image.pixel(x, y)), 200) << x << "," << y;
}

TEST(HelpDocumentsTest, BuildWritesBothPdfs) {
    for (const char* doc : {"Docs/Tavren-UserGuide.pdf", "Docs/Tavren-Tutorial.pdf"}) {
        const QByteArray pdf = readBuilt(doc);
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << doc;
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")) << doc;
    }
}

} // namespace
