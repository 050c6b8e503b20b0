#include "editor/platform/qt_dc.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
const QColor kQtRed(255, 0, 0);

// What draw paints through a QtDC on an image filled with fill.
QImage paint(const std::function<void(QtDC&, QPainter&)>& draw, QSize size = {200, 200},
             QColor fill = Qt::white, double fontScale = 1.0) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    QtDC dc(painter, fontScale);
    draw(dc, painter);
    painter.end();
    return image;
}

void line(QtDC& dc, Pen pen, CPoint from, CPoint to) {
    dc.SelectPen(pen);
    dc.MoveTo(from);
    dc.LineTo(to);
}

int countPixels(const QImage& image, const QRect& area, QColor color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

// Smallest rectangle holding every pixel that differs from the background.
QRect inkBounds(const QImage& image, QColor background = Qt::white) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(QtDCTest, PenStylesGiveTheirPatternsOnePixelThinAndCosmeticWhenScaled) {
    for (PenStyle style : {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                           PenStyle::DashDotDot, PenStyle::Null}) {
        SCOPED_TRACE(static_cast<int>(style));
        const QImage image = paint([&](QtDC& dc, QPainter&) {
            dc.SetBkMode(BkMode::Transparent);
            line(dc, Pen{style, 0, kRed}, CPoint(10, 10), CPoint(110, 10));
        });
        const int red = countPixels(image, QRect(10, 10, 100, 1), kQtRed);
        // One-pixel lines leave out their last pixel, as joined segments expect.
        EXPECT_EQ(image.pixelColor(110, 10), QColor(Qt::white));
        if (style == PenStyle::Solid || style == PenStyle::Null)
            EXPECT_EQ(red, style == PenStyle::Solid ? 100 : 0);
        else
            EXPECT_TRUE(red > 20 && red < 90) << red;
        EXPECT_EQ(inkBounds(image).height(), red ? 1 : 0);
    }
    const QImage scaled = paint([](QtDC& dc, QPainter& painter) {
        painter.scale(4, 4);
        line(dc, Pen{PenStyle::Solid, 0, kRed}, CPoint(2, 5), CPoint(40, 5));
        line(dc, Pen{PenStyle::Solid, 1, kRed}, CPoint(2, 30), CPoint(40, 30));
    });
    EXPECT_EQ(countPixels(scaled, QRect(80, 10, 1, 30), kQtRed), 1);
    EXPECT_EQ(countPixels(scaled, QRect(80, 110, 1, 20), kQtRed), 4);
}

TEST(QtDCTest, RectangleOutlineAndFill) {
    const QColor green(0, 255, 0);
    const QImage h = paint(
        [](QtDC& dc, QPainter&) {
            dc.SelectPen(Pen{PenStyle::Solid, 0, kRed});
            dc.SelectBrush(Brush::hollow());
            dc.Rectangle(CRect(10, 10, 50, 40));
        },
        {100, 100}, green);
    // Left and top inside, right and bottom outside.
    EXPECT_EQ(h.pixelColor(10, 10), kQtRed);
    EXPECT_EQ(h.pixelColor(49, 39), kQtRed);
    EXPECT_EQ(h.pixelColor(50, 39), green);
    EXPECT_EQ(h.pixelColor(49, 40), green);
    EXPECT_EQ(countPixels(h, QRect(11, 11, 38, 28), green), 38 * 28);
    const QImage solid = paint([](QtDC& dc, QPainter&) {
        dc.SelectBrush(Brush::solid(RGB(0, 0, 255)));
        dc.Ellipse(CRect(10, 10, 50, 50));
        dc.FillRect(CRect(110, 10, 120, 15), Brush::solid(RGB(0, 0, 255)));
        dc.FillRect(CRect(130, 30, 140, 40), Brush::hollow());
    });
    EXPECT_EQ(solid.pixelColor(30, 30), QColor(0, 0, 255));
    EXPECT_EQ(inkBounds(solid.copy(100, 0, 100, 100)), QRect(10, 10, 10, 5));
}

TEST(QtDCTest, ArcRunsCounterClockwiseFromStartToEnd) {
    auto arc = [](CRect box, CPoint from, CPoint to, QSize size = {200, 200}) {
        return paint(
            [&](QtDC& dc, QPainter&) {
                dc.SelectPen(Pen{PenStyle::Solid, 0, kRed});
                dc.Arc(box, from, to);
            },
            size);
    };
    // Right to top is the upper right quarter; top to right the other three quarters.
    const QImage q = arc(CRect(0, 0, 101, 101), CPoint(200, 50), CPoint(50, -100));
    EXPECT_GT(countPixels(q, QRect(51, 0, 50, 50), kQtRed), 40);
    EXPECT_EQ(countPixels(q, QRect(0, 55, 50, 45), kQtRed), 0);
    EXPECT_EQ(countPixels(q, QRect(0, 0, 45, 50), kQtRed), 0);
    const QImage r = arc(CRect(0, 0, 101, 101), CPoint(50, -100), CPoint(200, 50));
    EXPECT_EQ(countPixels(r, QRect(55, 0, 46, 45), kQtRed), 0);
    EXPECT_GT(countPixels(r, QRect(0, 55, 50, 45), kQtRed), 40);
    EXPECT_GT(countPixels(r, QRect(55, 55, 46, 46), kQtRed), 40);
    // A rounded corner from a line down x = 5 to a line along y = 20: the arc ends on both.
    const QImage c = arc(CRect(5, 8, 17, 20), CPoint(5, 14), CPoint(11, 20), {30, 30});
    EXPECT_EQ(inkBounds(c).left(), 5);
    EXPECT_EQ(inkBounds(c).bottom(), 20);
    EXPECT_EQ(c.pixelColor(5, 14), kQtRed);
}

TEST(QtDCTest, MeasuredTextFramesTheDrawnTextWhichIsCentredAndClipped) {
    const std::string text = "Waiting for the\r\nnext event to come";
    int lineHeight = 0;
    paint([&](QtDC& dc, QPainter&) {
        CRect one(0, 0, 0, 0);
        lineHeight = dc.DrawText("X", one, DT_CALCRECT);
    });
    ASSERT_GT(lineHeight, 0);
    for (unsigned flags : {0u, unsigned{DT_WORDBREAK}, unsigned{DT_CENTER | DT_WORDBREAK}}) {
        SCOPED_TRACE(flags);
        CRect measured(20, 20, 110, 20);
        int height = 0;
        EXPECT_TRUE(inkBounds(paint([&](QtDC& dc, QPainter&) {
                        height = dc.DrawText(text, measured, flags | DT_CALCRECT);
                    })).isNull())
            << "measuring draws nothing";
        EXPECT_EQ(height, measured.Height());
        EXPECT_EQ(measured.top, 20);
        // CR LF always ends a line; breaking between words adds more.
        if (flags & DT_WORDBREAK)
            EXPECT_GE(height, 3 * lineHeight);
        else
            EXPECT_EQ(height, 2 * lineHeight);
        const QRect ink = inkBounds(paint(
            [&](QtDC& dc, QPainter&) {
                CRect box(20, 20, 110, 190);
                dc.SetTextColor(RGB(0, 0, 0));
                EXPECT_EQ(dc.DrawText(text, box, flags), height);
            },
            {300, 200}));
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(QRect(measured.left - 1, measured.top, measured.Width() + 2, measured.Height())
                        .contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
    const QImage image = paint(
        [](QtDC& dc, QPainter&) {
            dc.SetTextColor(RGB(0, 0, 0));
            CRect wide(0, 10, 300, 60), narrow(0, 70, 10, 100);
            dc.DrawText("Idle", wide, DT_CENTER);
            dc.DrawText("Clipped away", narrow, DT_LEFT);
        },
        {300, 100});
    EXPECT_NEAR(inkBounds(image.copy(0, 0, 300, 65)).center().x(), 150, 3);
    EXPECT_EQ(countPixels(image, QRect(10, 65, 290, 35), Qt::white), 290 * 35);
}

TEST(QtDCTest, XorDrawingTwiceRestoresThePictureAndAnchorsAreMasked) {
    for (RasterOp op : {RasterOp::XorPen, RasterOp::NotXorPen}) {
        const auto feedback = [op](QtDC& dc, QPainter&) {
            dc.SetROP2(op);
            line(dc, Pen{PenStyle::Dot, 0, RGB(64, 64, 64)}, CPoint(0, 50), CPoint(150, 60));
            dc.Rectangle(CRect(10, 10, 100, 100));
        };
        QImage image = paint([](QtDC& dc, QPainter&) {
            dc.SelectBrush(Brush::solid(RGB(255, 255, 191)));
            dc.RoundRect(CRect(20, 20, 120, 90), CPoint(30, 30));
        });
        const QImage before = image;
        for (int times = 1; times <= 2; ++times) {
            QPainter painter(&image);
            QtDC dc(painter, 1.0);
            feedback(dc, painter);
            painter.end();
            EXPECT_EQ(image == before, times == 2);
        }
    }
    const QImage anchor = paint(
        [](QtDC& dc, QPainter&) {
            dc.DrawAnchor(CPoint(1, 1)); // the default brush is hollow: nothing
            dc.SelectBrush(Brush::solid(kRed));
            dc.DrawAnchor(CPoint(10, 10));
        },
        {20, 20});
    EXPECT_EQ(inkBounds(anchor), QRect(10, 10, 5, 5));
    EXPECT_EQ(anchor.pixelColor(12, 12), kQtRed);
    EXPECT_EQ(anchor.pixelColor(11, 11), QColor(Qt::white)); // the mask lets the ground show
}

TEST(QtDCTest, DashedLinesOverAnOpaqueBackgroundMatchQtsOwn) {
    // A crossing line shows what the background between the dashes paints over.
    const auto ground = [](QPainter& p) {
        p.setPen(QColor(0, 160, 0));
        p.drawLine(0, 41, 199, 41);
        p.drawLine(61, 0, 61, 199);
    };
    for (auto [style, qt] : {std::pair{PenStyle::Dash, Qt::DashLine},
                             {PenStyle::Dot, Qt::DotLine},
                             {PenStyle::DashDotDot, Qt::DashDotDotLine}})
        for (auto [from, to] : {std::pair{CPoint(3, 40), CPoint(170, 40)},
                                {CPoint(170, 41), CPoint(-30, 41)},
                                {CPoint(60, 2), CPoint(60, 150)},
                                {CPoint(61, 150), CPoint(61, 7)}}) {
            SCOPED_TRACE(static_cast<int>(style) * 1000000 + from.x * 1000 + from.y);
            const QImage drawn = paint([&](QtDC& dc, QPainter& p) {
                ground(p);
                line(dc, Pen{style, 0, kRed}, from, to);
            });
            const QImage expected = paint([&](QtDC&, QPainter& p) {
                ground(p);
                p.setBackground(Qt::white);
                p.setBackgroundMode(Qt::OpaqueMode);
                p.setPen(QPen(kQtRed, 0, qt, Qt::FlatCap, Qt::MiterJoin));
                p.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
            });
            EXPECT_TRUE(drawn == expected);
        }
}
