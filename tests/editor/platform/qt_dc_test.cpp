#include "editor/platform/qt_dc.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
const QColor kQtRed(255, 0, 0);

// A white image with a QtDC on it; finish() ends painting so pixels can be read.
struct Canvas {
    QImage image;
    QPainter painter;
    std::unique_ptr<QtDC> dc;

    explicit Canvas(QSize size = {200, 200}, double fontScale = 1.0, QColor fill = Qt::white)
        : image(size, QImage::Format_RGB32) {
        image.fill(fill);
        painter.begin(&image);
        dc = std::make_unique<QtDC>(painter, fontScale);
    }
    const QImage& finish() {
        if (painter.isActive())
            painter.end();
        return image;
    }
};

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

TEST(QtDCTest, PenStylesGiveTheirPatterns) {
    struct Case {
        PenStyle style;
        bool solid;
    };
    for (Case c :
         {Case{PenStyle::Solid, true}, Case{PenStyle::Dash, false}, Case{PenStyle::Dot, false},
          Case{PenStyle::DashDot, false}, Case{PenStyle::DashDotDot, false}}) {
        Canvas canvas;
        canvas.dc->SetBkMode(BkMode::Transparent);
        canvas.dc->SelectPen(Pen{c.style, 0, kRed});
        canvas.dc->MoveTo(CPoint(10, 10));
        canvas.dc->LineTo(CPoint(110, 10));
        const QImage& image = canvas.finish();
        const int red = countPixels(image, QRect(10, 10, 100, 1), kQtRed);
        SCOPED_TRACE(static_cast<int>(c.style));
        // One-pixel lines leave out their last pixel, as joined segments expect.
        EXPECT_EQ(image.pixelColor(110, 10), QColor(Qt::white));
        if (c.solid) {
            EXPECT_EQ(red, 100);
        } else {
            EXPECT_GT(red, 20);
            EXPECT_LT(red, 90);
        }
        EXPECT_EQ(countPixels(image, QRect(10, 9, 100, 1), kQtRed), 0); // one pixel thin
    }

    Canvas nothing;
    nothing.dc->SelectPen(Pen{PenStyle::Null, 0, kRed});
    nothing.dc->MoveTo(CPoint(10, 10));
    nothing.dc->LineTo(CPoint(110, 10));
    EXPECT_TRUE(inkBounds(nothing.finish()).isNull());
}

TEST(QtDCTest, CosmeticPenStaysOnePixelWhenScaled) {
    Canvas canvas;
    canvas.painter.scale(4, 4);
    canvas.dc->SelectPen(Pen{PenStyle::Solid, 0, kRed});
    canvas.dc->MoveTo(CPoint(2, 5));
    canvas.dc->LineTo(CPoint(40, 5));
    canvas.dc->SelectPen(Pen{PenStyle::Solid, 1, kRed});
    canvas.dc->MoveTo(CPoint(2, 30));
    canvas.dc->LineTo(CPoint(40, 30));
    const QImage& image = canvas.finish();
    EXPECT_EQ(countPixels(image, QRect(80, 10, 1, 30), kQtRed), 1);
    EXPECT_EQ(countPixels(image, QRect(80, 110, 1, 20), kQtRed), 4);
}

TEST(QtDCTest, RectangleOutlineAndFill) {
    const QColor green(0, 255, 0);
    Canvas hollow({100, 100}, 1.0, green);
    hollow.dc->SelectPen(Pen{PenStyle::Solid, 0, kRed});
    hollow.dc->SelectBrush(Brush::hollow());
    hollow.dc->Rectangle(CRect(10, 10, 50, 40));
    const QImage& h = hollow.finish();
    // Left and top inside, right and bottom outside.
    EXPECT_EQ(h.pixelColor(10, 10), kQtRed);
    EXPECT_EQ(h.pixelColor(49, 39), kQtRed);
    EXPECT_EQ(h.pixelColor(50, 39), green);
    EXPECT_EQ(h.pixelColor(49, 40), green);
    EXPECT_EQ(countPixels(h, QRect(11, 11, 38, 28), green), 38 * 28);

    Canvas solid({100, 100});
    solid.dc->SelectBrush(Brush::solid(RGB(0, 0, 255)));
    solid.dc->Ellipse(CRect(10, 10, 50, 50));
    EXPECT_EQ(solid.finish().pixelColor(30, 30), QColor(0, 0, 255));

    Canvas fill({100, 100});
    fill.dc->FillRect(CRect(10, 10, 20, 15), Brush::solid(RGB(0, 0, 255)));
    fill.dc->FillRect(CRect(30, 30, 40, 40), Brush::hollow());
    const QImage& f = fill.finish();
    EXPECT_EQ(inkBounds(f), QRect(10, 10, 10, 5));
}

TEST(QtDCTest, ArcRunsCounterClockwiseFromStartToEnd) {
    // Right to top is the upper right quarter; top to right the other three quarters.
    Canvas quarter;
    quarter.dc->SelectPen(Pen{PenStyle::Solid, 0, kRed});
    quarter.dc->Arc(CRect(0, 0, 101, 101), CPoint(200, 50), CPoint(50, -100));
    const QImage& q = quarter.finish();
    EXPECT_GT(countPixels(q, QRect(51, 0, 50, 50), kQtRed), 40);
    EXPECT_EQ(countPixels(q, QRect(0, 55, 50, 45), kQtRed), 0);
    EXPECT_EQ(countPixels(q, QRect(0, 0, 45, 50), kQtRed), 0);

    Canvas rest;
    rest.dc->SelectPen(Pen{PenStyle::Solid, 0, kRed});
    rest.dc->Arc(CRect(0, 0, 101, 101), CPoint(50, -100), CPoint(200, 50));
    const QImage& r = rest.finish();
    EXPECT_EQ(countPixels(r, QRect(55, 0, 46, 45), kQtRed), 0);
    EXPECT_GT(countPixels(r, QRect(0, 55, 50, 45), kQtRed), 40);
    EXPECT_GT(countPixels(r, QRect(55, 55, 46, 46), kQtRed), 40);

    // A rounded corner from a line down x = 5 to a line along y = 20: the arc ends on both.
    Canvas corner({30, 30});
    corner.dc->SelectPen(Pen{PenStyle::Solid, 0, kRed});
    corner.dc->Arc(CRect(5, 8, 17, 20), CPoint(5, 14), CPoint(11, 20));
    const QImage& c = corner.finish();
    EXPECT_EQ(inkBounds(c).left(), 5);
    EXPECT_EQ(inkBounds(c).bottom(), 20);
    EXPECT_EQ(c.pixelColor(5, 14), kQtRed);
}

TEST(QtDCTest, MeasuredTextFramesTheDrawnText) {
    const std::string text = "Waiting for the\r\nnext event to come";
    Canvas probe;
    CRect one(0, 0, 0, 0);
    const int lineHeight = probe.dc->DrawText("X", one, DT_CALCRECT);
    ASSERT_GT(lineHeight, 0);

    for (unsigned flags : {0u, unsigned{DT_WORDBREAK}, unsigned{DT_CENTER | DT_WORDBREAK}}) {
        SCOPED_TRACE(flags);
        Canvas canvas({300, 200});
        CRect measured(20, 20, 110, 20);
        const int height = canvas.dc->DrawText(text, measured, flags | DT_CALCRECT);
        EXPECT_EQ(height, measured.Height());
        EXPECT_EQ(measured.top, 20);
        EXPECT_TRUE(inkBounds(canvas.image).isNull()) << "measuring draws nothing";
        // CR LF always ends a line; breaking between words adds more.
        if (flags & DT_WORDBREAK)
            EXPECT_GE(height, 3 * lineHeight);
        else
            EXPECT_EQ(height, 2 * lineHeight);

        CRect box(20, 20, 110, 190);
        canvas.dc->SetTextColor(RGB(0, 0, 0));
        EXPECT_EQ(canvas.dc->DrawText(text, box, flags), height);
        const QRect ink = inkBounds(canvas.finish());
        ASSERT_FALSE(ink.isNull());
        const QRect frame(measured.left, measured.top, measured.Width(), measured.Height());
        EXPECT_TRUE(frame.adjusted(-1, 0, 1, 0).contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
}

TEST(QtDCTest, TextIsCentredAndClippedToItsBox) {
    Canvas canvas({300, 100});
    canvas.dc->SetTextColor(RGB(0, 0, 0));
    CRect wide(0, 10, 300, 60);
    canvas.dc->DrawText("Idle", wide, DT_CENTER);
    CRect narrow(0, 70, 10, 100);
    canvas.dc->DrawText("Clipped away", narrow, DT_LEFT);
    const QImage& image = canvas.finish();
    const QRect ink = inkBounds(image.copy(0, 0, 300, 65));
    EXPECT_NEAR(ink.center().x(), 150, 3);
    EXPECT_EQ(countPixels(image, QRect(10, 65, 290, 35), Qt::white), 290 * 35);
}

TEST(QtDCTest, FontSizeFollowsTheScale) {
    // 8 points at 96 dots per inch is 11 pixels; text scales with the zoom.
    EXPECT_EQ(QtDC::toQFont(Font{"Verdana", 80}, 1.0).pixelSize(), 11);
    EXPECT_EQ(QtDC::toQFont(Font{"Verdana", 80}, 13.0 / 6).pixelSize(), 23);
    EXPECT_EQ(QtDC::toQFont(Font{"Verdana", 10}, 2.0 / 6).pixelSize(), 1);
}

TEST(QtDCTest, XorDrawingTwiceRestoresThePicture) {
    for (RasterOp op : {RasterOp::XorPen, RasterOp::NotXorPen}) {
        Canvas canvas;
        canvas.dc->SelectBrush(Brush::solid(RGB(255, 255, 191)));
        canvas.dc->RoundRect(CRect(20, 20, 120, 90), CPoint(30, 30));
        const QImage before = canvas.finish().copy();
        auto feedback = [op](QImage& image) {
            QPainter painter(&image);
            QtDC dc(painter, 1.0);
            dc.SetROP2(op);
            dc.SelectPen(Pen{PenStyle::Dot, 0, RGB(64, 64, 64)});
            dc.Rectangle(CRect(10, 10, 100, 100));
            dc.MoveTo(CPoint(0, 50));
            dc.LineTo(CPoint(150, 60));
        };
        feedback(canvas.image);
        EXPECT_NE(canvas.image, before);
        feedback(canvas.image);
        EXPECT_TRUE(canvas.image == before);
    }
}

TEST(QtDCTest, AnchorIsMaskedWithTheBrush) {
    Canvas canvas({20, 20});
    canvas.dc->DrawAnchor(CPoint(1, 1)); // the default brush is hollow: nothing
    canvas.dc->SelectBrush(Brush::solid(kRed));
    canvas.dc->DrawAnchor(CPoint(10, 10));
    const QImage& image = canvas.finish();
    EXPECT_EQ(inkBounds(image), QRect(10, 10, 5, 5));
    EXPECT_EQ(image.pixelColor(12, 12), kQtRed);
    EXPECT_EQ(image.pixelColor(11, 11), QColor(Qt::white)); // the mask lets the ground show
}

TEST(QtDCTest, DashedLinesOverAnOpaqueBackgroundMatchQtsOwn) {
    const QColor green(0, 160, 0);
    struct Case {
        PenStyle style;
        Qt::PenStyle qt;
    };
    for (Case c : {Case{PenStyle::Dash, Qt::DashLine}, Case{PenStyle::Dot, Qt::DotLine},
                   Case{PenStyle::DashDotDot, Qt::DashDotDotLine}}) {
        for (auto [from, to] : {std::pair{CPoint(3, 40), CPoint(170, 40)},
                                std::pair{CPoint(170, 41), CPoint(-30, 41)},
                                std::pair{CPoint(60, 2), CPoint(60, 150)},
                                std::pair{CPoint(61, 150), CPoint(61, 7)}}) {
            SCOPED_TRACE(static_cast<int>(c.style));
            SCOPED_TRACE(from.x * 1000 + from.y);
            // A crossing line shows what the background between the dashes paints over.
            const auto ground = [&](QPainter& p) {
                p.setPen(green);
                p.drawLine(0, 41, 199, 41);
                p.drawLine(61, 0, 61, 199);
            };
            Canvas canvas;
            ground(canvas.painter);
            canvas.dc->SelectPen(Pen{c.style, 0, kRed});
            canvas.dc->MoveTo(from);
            canvas.dc->LineTo(to);

            QImage expected(200, 200, QImage::Format_RGB32);
            expected.fill(Qt::white);
            QPainter p(&expected);
            ground(p);
            p.setBackground(Qt::white);
            p.setBackgroundMode(Qt::OpaqueMode);
            p.setPen(QPen(kQtRed, 0, c.qt, Qt::FlatCap, Qt::MiterJoin));
            p.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
            p.end();
            EXPECT_TRUE(canvas.finish() == expected);
        }
    }
}

TEST(QtDCTest, TextLayoutsFollowWidthAndFont) {
    const std::string text = "entry(); log(state); timer.start(10);";
    struct Case {
        double fontScale;
        LONG width;
    };
    std::vector<CRect> measured;
    // Twice over: layouts kept from the first round must give the same answers.
    for (int round = 0; round < 2; ++round)
        for (Case c : {Case{1.0, 400}, Case{1.0, 60}, Case{2.0, 400}, Case{2.0, 60}}) {
            Canvas canvas({10, 10}, c.fontScale);
            CRect r(0, 0, c.width, 0);
            canvas.dc->DrawText(text, r, DT_WORDBREAK | DT_CALCRECT);
            measured.push_back(r);
        }
    EXPECT_LT(measured[0].Height(), measured[1].Height()); // narrow breaks into lines
    EXPECT_LT(measured[0].Width(), measured[2].Width());   // larger font, wider
    EXPECT_LT(measured[2].Height(), measured[3].Height());
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(measured[i], measured[i + 4]);
}
