#pragma once
// The window of one open chart: a scroll area that paints its LayoutMgr and is the window the
// shapes and trackers talk to (repaint, cursors, the XOR overlay, the modal mouse loop).
// Scrolling moves in whole model units; zoom, print and preview commands are slots.

#include "editor/view/overlay.h"
#include "platform/cwnd.h"

#include <QAbstractScrollArea>

#include <deque>
#include <memory>

class LayoutMgr;
class QEventLoop;
class QPainter;
class QPrinter;

class ChartView : public QAbstractScrollArea, public CWnd {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // Hides QWidget::layout(): a chart view has no widget layout, only its chart's.
    LayoutMgr& layout() { return *layoutMgr; }
    const LayoutMgr& layout() const { return *layoutMgr; }

    bool canZoomIn() const;
    bool canZoomOut() const;
    bool canZoomNormal() const;
    // Scrolls by d pixels, each component cut to whole units (13 pixels at zoom 6 scroll 12).
    void scrollBy(CSize d);

    // The widget's painting of a chart: white under area, then grid and shapes at the
    // chart's zoom and scroll position; what lies wholly outside area is skipped.
    static void paintChart(QPainter& painter, LayoutMgr& chart, const QRect& area);

    // Prints every page through the print path: preparePrint's mapping, one sheet per page.
    // With a page range on the printer only those pages. False when the printer (or its
    // output file) cannot be opened.
    bool print(QPrinter& printer);
    static CSize inkExtent(LayoutMgr& chart);

    // --- CWnd ---
    void Invalidate(const CRect& r) override;
    void UpdateWindow() override;
    void SetCursor(CursorId cursor) override;
    // The last mouse position seen over the view.
    CPoint GetCursorPos() const override;
    bool IsShiftDown() const override;
    CDC& GetOverlayDC() override { return overlay; }
    void SetCapture() override;
    void ReleaseCapture() override;
    // Runs a nested event loop until the view sees a move, a left-button release, Escape or
    // the loss of its capture (deactivation, hiding, a pop-up taking focus, another grab).
    MouseEvent NextMouseEvent() override;

public slots:
    // After reading or creating a chart: the user's text and grid defaults, scroll ranges.
    void initialUpdate();
    void zoomIn();
    void zoomOut();
    void zoomNormal();
    // Repaints everything; leftover XOR feedback goes with it.
    void refresh();
    // Escape: clears the selection.
    void normal();
    void printPreview();

signals:
    void zoomChanged();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void updateScrollBars();
    CPoint bars() const;
    void setBars(CPoint p);
    void afterZoom();
    void deliver(MouseEvent e);
    void loseCapture();
    void updateCursor(CPoint at);

    std::unique_ptr<LayoutMgr> layoutMgr;
    Overlay overlay;
    CursorId cursor = CursorId::Arrow;
    CPoint lastMouse;
    bool capturing = false;
    bool syncingScroll = false;
    std::deque<MouseEvent> pending;
    QEventLoop* mouseLoop = nullptr; // the running NextMouseEvent loop, if any
};
