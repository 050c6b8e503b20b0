#pragma once
// The window of one open chart: a scroll area that paints its LayoutMgr and is the window the
// shapes and trackers talk to (repaint, cursors, the XOR overlay, the modal mouse loop).
// Scrolling moves in whole model units; zoom, print and preview commands are slots.

#include "editor/view/overlay.h"
#include "editor/view/sim_marks.h"
#include "platform/cwnd.h"

#include <QAbstractScrollArea>

#include <deque>
#include <memory>
#include <vector>

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
    // A pop-up menu at the mouse; the chosen command, or 0.
    unsigned TrackPopupMenu(const std::vector<MenuItem>& items, CPoint at) override;

    // The chart's own commands (tools, inserting, deleting, layering, selecting); false for
    // any other id. A tool command starts its image following the mouse.
    bool runCommand(unsigned id);
    // The chart as a picture for other programs: SVG and PNG on the clipboard, drawn as it
    // prints; the user is told when it is there.
    void copyAsPicture();

    // While a chart is simulated nothing may change it: the mouse and the keys only scroll.
    void setReadOnly(bool on);
    bool isReadOnly() const { return readOnly; }
    // Marks painted over the chart (a simulation's states and transitions); not the model's.
    void setSimMarks(SimMarks marks);
    const SimMarks& simMarks() const { return marks; }
    // Scrolls so that the client-pixel area is in view, as much of it as fits.
    void ensureVisible(const QRect& area);

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
    // The selection, the tool or the chart may have changed: command states need a look.
    void stateChanged();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // Follows the mouse everywhere while a tool image is dragged.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void updateScrollBars();
    CPoint bars() const;
    void setBars(CPoint p);
    void afterZoom();
    void deliver(MouseEvent e);
    void loseCapture();
    void updateCursor(CPoint at);
    // Starts or ends following the mouse as the chart's tool drag says.
    void syncToolDrag();
    void showToolImage(bool show);

    std::unique_ptr<LayoutMgr> layoutMgr;
    Overlay overlay;
    CursorId cursor = CursorId::Arrow;
    CPoint lastMouse;
    bool capturing = false;
    bool syncingScroll = false;
    std::deque<MouseEvent> pending;
    QEventLoop* mouseLoop = nullptr; // the running NextMouseEvent loop, if any
    bool toolDrag = false;           // the application's events pass through eventFilter
    bool toolImageShown = false;     // the tool's image is the override cursor
    bool readOnly = false;
    SimMarks marks;
};
