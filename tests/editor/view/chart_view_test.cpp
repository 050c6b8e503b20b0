#include "editor/platform/qt_cursors.h"
#include "model/trackers.h"
#include "tests/editor/view/example_charts.h"

namespace {

// A shown view of a chart, sized so the chart scrolls both ways.
struct ShownView {
    ChartView view;
    explicit ShownView(const std::string& example = {}) {
        if (!example.empty())
            readExample(view.layout(), example);
        view.resize(400, 300);
        view.show();
        view.initialUpdate();
    }
    QImage picture() { return view.viewport()->grab().toImage(); }
    CPoint scroll() const { return view.layout().getScrollPosition(); }
    CPoint bars() {
        return {view.horizontalScrollBar()->value(), view.verticalScrollBar()->value()};
    }
    void key(int k) { QTest::keyClick(&view, static_cast<Qt::Key>(k)); }
    void post(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* vp = view.viewport();
        const bool move = type == QEvent::MouseMove;
        QCoreApplication::postEvent(vp,
                                    new QMouseEvent(type, QPointF(at), vp->mapToGlobal(QPointF(at)),
                                                    move ? Qt::NoButton : button,
                                                    move ? Qt::LeftButton : Qt::NoButton, {}));
    }
    void post(QEvent::Type type) {
        QCoreApplication::postEvent(&view, type == QEvent::KeyPress
                                               ? new QKeyEvent(type, Qt::Key_Escape, {})
                                               : new QEvent(type));
    }
};

} // namespace

static bool operator==(const MouseEvent& a, const MouseEvent& b) {
    return a.kind == b.kind && a.point == b.point;
}

TEST(ChartViewTest, ScrollsInWholeUnits) {
    ShownView s;
    const QSize port = s.view.viewport()->size();
    EXPECT_EQ(s.view.horizontalScrollBar()->maximum(), 1500 * 6 - port.width());
    EXPECT_EQ(s.view.verticalScrollBar()->maximum(), 1500 * 6 - port.height());
    s.view.scrollBy(CSize(13, 13));
    EXPECT_EQ(s.scroll(), CPoint(12, 12));
    EXPECT_EQ(s.bars(), CPoint(12, 12));
    s.view.horizontalScrollBar()->setValue(37); // dragging the thumb
    EXPECT_EQ(s.scroll(), CPoint(36, 12));
    EXPECT_EQ(s.bars(), CPoint(36, 12));
    s.key(Qt::Key_Right);
    s.key(Qt::Key_Down);
    EXPECT_EQ(s.scroll(), CPoint(42, 18));
    s.key(Qt::Key_Left);
    s.key(Qt::Key_Up);
    s.key(Qt::Key_Up);
    EXPECT_EQ(s.scroll(), CPoint(36, 6));
    s.key(Qt::Key_PageDown); // a page is 6 units
    EXPECT_EQ(s.scroll().y, 42);
    s.view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.scroll().y, 78);
    s.key(Qt::Key_Home);
    EXPECT_EQ(s.scroll(), CPoint(0, 0));
    EXPECT_EQ(s.bars(), CPoint(0, 0));
    s.key(Qt::Key_PageUp); // nothing above the top
    EXPECT_EQ(s.scroll(), CPoint(0, 0));
    // At the far end the bar stops short of a whole unit; the view stays on one.
    s.view.scrollBy(CSize(100000, 0));
    EXPECT_EQ(s.scroll().x % 6, 0);
    EXPECT_LE(s.scroll().x, s.view.horizontalScrollBar()->maximum());
    EXPECT_GT(s.scroll().x, s.view.horizontalScrollBar()->maximum() - 6);
}

// The limits are the layout's (its own tests); the view keeps its scroll bars in step.
TEST(ChartViewTest, ZoomKeepsTheScrollBarsInStep) {
    ShownView s;
    QSignalSpy changed(&s.view, &ChartView::zoomChanged);
    s.view.scrollBy(CSize(60, 120));
    s.view.zoomIn();
    EXPECT_EQ(s.view.layout().getZoom(), 7);
    // The pixel offset is kept, rounded to whole units of the new zoom.
    EXPECT_EQ(s.scroll(), CPoint(63, 119));
    EXPECT_EQ(s.bars(), CPoint(63, 119));
    EXPECT_EQ(s.view.horizontalScrollBar()->singleStep(), 7);
    s.key(Qt::Key_Right);
    EXPECT_EQ(s.scroll().x, 70);
    while (s.view.canZoomIn())
        s.view.zoomIn();
    EXPECT_EQ(s.view.horizontalScrollBar()->maximum(), 1500 * 13 - s.view.viewport()->width());
    s.view.zoomNormal();
    EXPECT_EQ(s.view.layout().getZoom(), 6);
    EXPECT_EQ(s.scroll().x % 6, 0);
    EXPECT_GE(changed.count(), 7 + 1);
}

TEST(ChartViewTest, PaintsGridAndStates) {
    ShownView empty;
    const QImage grid = empty.picture();
    const QColor gridGrey(240, 240, 240);
    auto columnHas = [&](int x, QColor c) {
        for (int y = 0; y < grid.height(); ++y)
            if (grid.pixelColor(x, y) == c)
                return true;
        return false;
    };
    EXPECT_FALSE(columnHas(17, gridGrey));
    EXPECT_TRUE(columnHas(18, gridGrey));
    for (const std::string& name : kExampleCharts) {
        SCOPED_TRACE(name);
        ShownView s(name);
        s.view.resize(1000, 800);
        const QImage image = s.picture();
        int checked = 0;
        for (GenericState* state : statesOf(s.view.layout())) {
            const CRect r = s.view.layout().zpFu(s.view.layout().getClientPos(state->getRect()));
            if (r.right >= image.width() || r.bottom >= image.height())
                continue;
            ++checked;
            int yellow = 0;
            int ink = 0;
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    yellow += c == kStateYellow;
                    ink += c.lightness() < 128;
                }
            }
            EXPECT_GT(yellow, r.Width() * r.Height() / 4);
            EXPECT_GT(ink, 20) << "outline and name";
        }
        EXPECT_GT(checked, 0);
    }
}

TEST(ChartViewTest, TransitionUnderTheMouseSetsItsCursor) {
    ShownView s("traffic_light.tvc");
    const QImage image = s.picture(); // painting builds the transitions' hit regions
    const QColor transitionBlue(0, 128, 255);
    QPoint onLine(-1, -1);
    for (int y = 0; y < image.height() && onLine.x() < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == transitionBlue) {
                onLine = QPoint(x, y);
                break;
            }
    ASSERT_GE(onLine.x(), 0);
    const QImage connector = cursorFor(CursorId::Connector).pixmap().toImage();
    QTest::mouseMove(s.view.viewport(), onLine);
    EXPECT_EQ(s.view.GetCursorPos(), CPoint(onLine.x(), onLine.y()));
    EXPECT_EQ(s.view.viewport()->cursor().pixmap().toImage(), connector);
    QTest::mouseMove(s.view.viewport(), QPoint(s.view.viewport()->width() - 2, 2));
    EXPECT_EQ(s.view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST(ChartViewTest, MouseLoopDeliversMovesReleaseEscapeAndCaptureLoss) {
    ShownView s;
    s.view.SetCapture();
    EXPECT_EQ(QWidget::mouseGrabber(), s.view.viewport());
    s.post(QEvent::MouseMove, {10, 12});
    s.post(QEvent::MouseMove, {20, 25});
    s.post(QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton); // not the left button
    s.post(QEvent::MouseButtonRelease, {30, 35});
    EXPECT_EQ(s.view.NextMouseEvent(), (MouseEvent{MouseEvent::Move, {10, 12}}));
    EXPECT_EQ(s.view.NextMouseEvent(), (MouseEvent{MouseEvent::Move, {20, 25}}));
    EXPECT_EQ(s.view.NextMouseEvent(), (MouseEvent{MouseEvent::LButtonUp, {30, 35}}));
    s.view.ReleaseCapture();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(s.view.NextMouseEvent().kind, MouseEvent::CaptureLost) << "no capture, no wait";
    s.view.SetCapture();
    s.post(QEvent::KeyPress);
    EXPECT_EQ(s.view.NextMouseEvent().kind, MouseEvent::Escape);
    s.view.ReleaseCapture();
    s.view.SetCapture();
    s.post(QEvent::WindowDeactivate);
    EXPECT_EQ(s.view.NextMouseEvent().kind, MouseEvent::CaptureLost);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QWidget other;
    other.show();
    s.view.SetCapture();
    other.grabMouse();
    EXPECT_EQ(s.view.NextMouseEvent().kind, MouseEvent::CaptureLost);
    other.releaseMouse();
}

TEST(ChartViewTest, TrackerDragsFeedbackOnTheOverlay) {
    ShownView s;
    const QImage blank = s.picture();
    auto overlayItems = [&] { return static_cast<const Overlay&>(s.view.GetOverlayDC()).size(); };
    // Accepted, cancelled, and the capture lost, which leaves the feedback until a refresh.
    for (QEvent::Type end :
         {QEvent::MouseButtonRelease, QEvent::KeyPress, QEvent::WindowDeactivate}) {
        PointTracker tracker(nullptr, nullptr, true);
        tracker.setStart(CPoint(10, 10));
        s.post(QEvent::MouseMove, {50, 40});
        s.post(QEvent::MouseMove, {80, 60});
        end == QEvent::MouseButtonRelease ? s.post(end, {90, 70}) : s.post(end);
        EXPECT_EQ(tracker.track(&s.view), end == QEvent::MouseButtonRelease);
        if (end == QEvent::MouseButtonRelease) {
            EXPECT_EQ(tracker.getPoint(), CPoint(80, 60));
        }
        EXPECT_EQ(overlayItems(), end == QEvent::WindowDeactivate ? 1u : 0u)
            << "finish erases the line";
        EXPECT_EQ(s.picture() == blank, end != QEvent::WindowDeactivate);
    }
    s.view.refresh();
    EXPECT_EQ(overlayItems(), 0u);
    EXPECT_EQ(s.picture(), blank);
}
