#include "editor/view/chart_view.h"

#include "editor/platform/qt_convert.h"
#include "editor/platform/qt_cursors.h"
#include "editor/platform/qt_dc.h"
#include "editor/view/chart_export.h"
#include "editor/view/tool_images.h"
#include "model/res_strings.h"
#include "model/shape.h"
#include "platform/command_ids.h"
#include "platform/services.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {
UINT mouseFlags(Qt::KeyboardModifiers keys) {
    UINT flags = MK_LBUTTON;
    if (keys & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (keys & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// Text scales with the drawing.
double fontScale(const LayoutMgr& chart) {
    return chart.getZoom() / static_cast<double>(LayoutMgr::cDefaultJumping);
}
} // namespace

ChartView::ChartView(QWidget* parent)
    : QAbstractScrollArea(parent), layoutMgr(std::make_unique<LayoutMgr>()) {
    layoutMgr->setWindow(this);
    overlay.onChange = [this](const CRect& r) { Invalidate(r); };
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent fills the background
    viewport()->setCursor(cursorFor(cursor));
    setFocusPolicy(Qt::StrongFocus);
    // The bars' page step sizes the thumb to the window; a page scroll moves the chart's own
    // page, which is smaller.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) {
            const CSize page = layout().getPageSize();
            const int step = bar == horizontalScrollBar() ? page.cx : page.cy;
            if (action == QAbstractSlider::SliderPageStepAdd)
                bar->setSliderPosition(bar->value() + step);
            else if (action == QAbstractSlider::SliderPageStepSub)
                bar->setSliderPosition(bar->value() - step);
        });
    }
    updateScrollBars();
}

// The shapes may still repaint while they die; they must not reach a half-destroyed window.
ChartView::~ChartView() {
    if (toolDrag)
        qApp->removeEventFilter(this);
    showToolImage(false);
    layoutMgr->setWindow(nullptr);
    layoutMgr.reset();
}

bool ChartView::canZoomIn() const {
    return layout().canZoomIn();
}
bool ChartView::canZoomOut() const {
    return layout().canZoomOut();
}
bool ChartView::canZoomNormal() const {
    return layout().canZoomNormal();
}

void ChartView::paintChart(QPainter& painter, LayoutMgr& chart, const QRect& area) {
    painter.fillRect(area, Qt::white);
    QtDC dc(painter, fontScale(chart));
    dc.setVisibleArea(toCRect(area));
    chart.draw(dc, toCRect(area));
}

void ChartView::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    paintChart(painter, layout(), e->rect());
    QtDC dc(painter, fontScale(layout()));
    overlay.paint(dc);
    paintSimMarks(painter, layout(), marks);
}

void ChartView::setReadOnly(bool on) {
    readOnly = on;
    if (on) {
        layout().hideMarkers();
        SetCursor(CursorId::Arrow);
    }
}

void ChartView::setSimMarks(SimMarks newMarks) {
    marks = std::move(newMarks);
    viewport()->update();
}

void ChartView::ensureVisible(const QRect& area) {
    if (area.isEmpty())
        return;
    const QRect view = viewport()->rect().adjusted(20, 20, -20, -20);
    CSize by(0, 0);
    if (area.right() > view.right())
        by.cx = area.right() - view.right();
    if (area.left() - by.cx < view.left())
        by.cx = area.left() - view.left();
    if (area.bottom() > view.bottom())
        by.cy = area.bottom() - view.bottom();
    if (area.top() - by.cy < view.top())
        by.cy = area.top() - view.top();
    if (by.cx || by.cy)
        scrollBy(by);
}

// --- scrolling ---

void ChartView::updateScrollBars() {
    const CSize total = layout().getTotalSize();
    const QSize view = viewport()->size();
    const int zoom = layout().getZoom();
    syncingScroll = true;
    for (auto [bar, length, extent] : {std::tuple{horizontalScrollBar(), total.cx, view.width()},
                                       std::tuple{verticalScrollBar(), total.cy, view.height()}}) {
        bar->setRange(0, std::max(0, length - extent));
        bar->setSingleStep(zoom);
        bar->setPageStep(std::max(zoom, extent / zoom * zoom));
    }
    syncingScroll = false;
    const CPoint at = layout().getScrollPosition();
    setBars(at);
    // A range that shrank may have stopped the bars short; keep whole units.
    const CPoint cut(layout().cutScroll(toSize(bars())));
    if (cut != at) {
        layout().setScrollPosition(cut);
        setBars(cut);
        viewport()->update();
    }
}

CPoint ChartView::bars() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

// Moves the bars without scrolling again.
void ChartView::setBars(CPoint p) {
    const bool before = std::exchange(syncingScroll, true);
    horizontalScrollBar()->setValue(p.x);
    verticalScrollBar()->setValue(p.y);
    syncingScroll = before;
}

void ChartView::scrollContentsBy(int, int) {
    if (!syncingScroll)
        scrollBy(bars() - layout().getScrollPosition());
}

void ChartView::scrollBy(CSize d) {
    const CPoint old = layout().getScrollPosition();
    setBars(old + layout().cutScroll(d));
    // At the end of a range the bar stops short; the position keeps whole steps.
    const CPoint now = old + layout().cutScroll(bars() - old);
    setBars(now);
    if (now != old) {
        layout().setScrollPosition(now);
        viewport()->update();
    }
}

void ChartView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void ChartView::keyPressEvent(QKeyEvent* e) {
    if (capturing && e->key() == Qt::Key_Escape) {
        deliver({MouseEvent::Escape, {}});
        return;
    }
    const int line = layout().getZoom();
    if (readOnly && (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Delete))
        return;
    switch (e->key()) {
    case Qt::Key_Escape:
        runCommand(cmd::Normal);
        break;
    case Qt::Key_Delete:
        runCommand(cmd::EditDelete);
        break;
    case Qt::Key_PageUp:
        scrollBy(CSize(0, -layout().getPageSize().cy));
        break;
    case Qt::Key_PageDown:
        scrollBy(CSize(0, layout().getPageSize().cy));
        break;
    case Qt::Key_Home:
        scrollBy(CPoint() - layout().getScrollPosition());
        break;
    case Qt::Key_Left:
        scrollBy(CSize(-line, 0));
        break;
    case Qt::Key_Right:
        scrollBy(CSize(line, 0));
        break;
    case Qt::Key_Up:
        scrollBy(CSize(0, -line));
        break;
    case Qt::Key_Down:
        scrollBy(CSize(0, line));
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}

// --- commands ---

void ChartView::initialUpdate() {
    layout().initialUpdate();
    afterZoom();
}

void ChartView::zoomIn() {
    layout().zoomIn();
    afterZoom();
}

void ChartView::zoomOut() {
    layout().zoomOut();
    afterZoom();
}

void ChartView::zoomNormal() {
    layout().zoomNormal();
    afterZoom();
}

void ChartView::afterZoom() {
    overlay.setFontScale(fontScale(layout()));
    updateScrollBars();
    viewport()->update();
    emit zoomChanged();
}

void ChartView::refresh() {
    overlay.clear();
    viewport()->update();
}

void ChartView::normal() {
    runCommand(cmd::Normal);
}

bool ChartView::runCommand(unsigned id) {
    if (readOnly && id != cmd::EditCopy)
        return false;
    const short zoom = layout().getZoom();
    if (!layout().onCommand(id))
        return false;
    syncToolDrag();
    if (layout().getZoom() != zoom) // undo and redo bring their snapshot's zoom
        afterZoom();
    emit stateChanged();
    return true;
}

void ChartView::copyAsPicture() {
    const QByteArray svg = chartSvg(layout());
    const QImage image = chartImage(layout());
    if (svg.isEmpty() || image.isNull()) {
        platform::messageBoxes().show(LoadResString(IDS_CLIPBOARD_ERROR), MsgButtons::Ok,
                                      MsgIcon::Stop, MsgResult::Ok);
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), svg);
    mime->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(mime); // the clipboard owns it
    platform::messageBoxes().show(LoadResString(IDS_METAFILE_COPIED), MsgButtons::Ok,
                                  MsgIcon::Information, MsgResult::Ok);
}

// What the print path actually draws, in normal pixels: shapes' rectangles may reach further
// than their ink (a borderless label wider than its text).
CSize ChartView::inkExtent(LayoutMgr& chart) {
    QPicture picture;
    QPainter painter(&picture);
    QtDC dc(painter, 1.0);
    chart.drawForPrint(dc);
    painter.end();
    const QRect ink = picture.boundingRect();
    return ink.isEmpty() ? CSize()
                         : CSize(std::max(0, ink.right() + 1), std::max(0, ink.bottom() + 1));
}

bool ChartView::print(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QPageLayout page = printer.pageLayout();
    const QSizeF mm = page.paintRect(QPageLayout::Millimeter).size();
    const QSize pixels = page.paintRectPixels(printer.resolution()).size();
    const LayoutMgr::PrintLayout pl =
        layout().preparePrint(CSize(static_cast<LONG>(std::lround(mm.width())),
                                    static_cast<LONG>(std::lround(mm.height()))),
                              CSize(pixels.width(), pixels.height()), inkExtent(layout()));
    const int pages = pl.pagesAcross * pl.pagesDown;
    const int first = printer.fromPage() > 0 ? std::min(printer.fromPage(), pages) : 1;
    const int last = printer.toPage() > 0 ? std::clamp(printer.toPage(), first, pages) : pages;
    for (int n = first; n <= last; ++n) {
        if (n > first)
            printer.newPage();
        const CPoint origin = LayoutMgr::pageViewportOrigin(pl, n);
        painter.setWindow(0, 0, pl.windowExt.cx, pl.windowExt.cy);
        painter.setViewport(origin.x, origin.y, pl.viewportExt.cx, pl.viewportExt.cy);
        QtDC dc(painter, 1.0);
        layout().drawForPrint(dc);
    }
    return painter.end();
}

void ChartView::printPreview() {
    QPrintPreviewDialog dialog(this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { print(*printer); });
    dialog.exec();
}

// --- CWnd ---

void ChartView::Invalidate(const CRect& r) {
    CRect area = r;
    area.NormalizeRect();
    viewport()->update(toQRect(area));
}

void ChartView::UpdateWindow() {
    if (viewport()->isVisible())
        viewport()->repaint();
}

void ChartView::SetCursor(CursorId id) {
    if (id == cursor)
        return;
    cursor = id;
    viewport()->setCursor(cursorFor(id));
}

CPoint ChartView::GetCursorPos() const {
    return lastMouse;
}

bool ChartView::IsShiftDown() const {
    return QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
}

void ChartView::SetCapture() {
    if (capturing)
        return;
    capturing = true;
    pending.clear();
    setFocus(Qt::MouseFocusReason); // Escape must reach the view
    viewport()->grabMouse();
}

void ChartView::ReleaseCapture() {
    if (!capturing)
        return;
    capturing = false;
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    if (mouseLoop)
        mouseLoop->quit();
}

MouseEvent ChartView::NextMouseEvent() {
    for (;;) {
        if (capturing && QWidget::mouseGrabber() != viewport())
            loseCapture();
        if (!pending.empty()) {
            const MouseEvent e = pending.front();
            pending.pop_front();
            return e;
        }
        if (!capturing)
            return {MouseEvent::CaptureLost, {}};
        QEventLoop loop;
        mouseLoop = &loop;
        loop.exec();
        mouseLoop = nullptr;
    }
}

void ChartView::deliver(MouseEvent e) {
    if (!capturing)
        return;
    pending.push_back(e);
    if (mouseLoop)
        mouseLoop->quit();
}

void ChartView::loseCapture() {
    if (!capturing)
        return;
    deliver({MouseEvent::CaptureLost, {}});
    ReleaseCapture();
}

// --- events ---

bool ChartView::event(QEvent* e) {
    if (capturing && (e->type() == QEvent::WindowDeactivate || e->type() == QEvent::Hide))
        loseCapture();
    // Escape ends a drag here rather than reaching the window's Normal command.
    if (capturing && e->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        e->accept();
        return true;
    }
    return QAbstractScrollArea::event(e);
}

void ChartView::focusOutEvent(QFocusEvent* e) {
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        loseCapture();
    QAbstractScrollArea::focusOutEvent(e);
}

void ChartView::mouseMoveEvent(QMouseEvent* e) {
    lastMouse = toCPoint(e->position().toPoint());
    if (capturing) {
        deliver({MouseEvent::Move, lastMouse});
        return;
    }
    if (readOnly)
        return;
    layout().onMouseMove(lastMouse);
    updateCursor(lastMouse);
}

void ChartView::mousePressEvent(QMouseEvent* e) {
    lastMouse = toCPoint(e->position().toPoint());
    if (capturing)
        return;
    if (e->button() != Qt::LeftButton || readOnly) {
        setFocus(Qt::MouseFocusReason);
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    // Selecting, dragging and drawing run their own mouse loops inside this call.
    layout().onLButtonDown(mouseFlags(e->modifiers()), lastMouse);
    updateCursor(GetCursorPos());
    emit stateChanged();
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* e) {
    lastMouse = toCPoint(e->position().toPoint());
    if (capturing || e->button() != Qt::LeftButton || readOnly)
        return;
    layout().onLButtonDblClk(mouseFlags(e->modifiers()), lastMouse);
    emit stateChanged();
}

void ChartView::contextMenuEvent(QContextMenuEvent* e) {
    if (capturing || toolDrag || readOnly)
        return;
    layout().hideMarkers();
    layout().onContextMenu(toCPoint(e->pos()));
    emit stateChanged();
}

void ChartView::leaveEvent(QEvent* e) {
    if (!capturing)
        layout().hideMarkers();
    QAbstractScrollArea::leaveEvent(e);
}

void ChartView::mouseReleaseEvent(QMouseEvent* e) {
    lastMouse = toCPoint(e->position().toPoint());
    if (capturing && e->button() == Qt::LeftButton)
        deliver({MouseEvent::LButtonUp, lastMouse});
    else if (!capturing)
        QAbstractScrollArea::mouseReleaseEvent(e);
}

// The topmost shape under the mouse chooses the cursor; elsewhere the arrow.
void ChartView::updateCursor(CPoint at) {
    if (!layout().onSetCursor(at))
        SetCursor(CursorId::Arrow);
}

unsigned ChartView::TrackPopupMenu(const std::vector<MenuItem>& items, CPoint at) {
    QMenu menu(this);
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* act = menu.addAction(QString::fromStdString(item.text));
        act->setData(item.id);
        act->setObjectName(QString("cmd_%1").arg(item.id));
        act->setEnabled(item.enabled);
        act->setCheckable(item.checked);
        act->setChecked(item.checked);
    }
    const QAction* chosen = menu.exec(viewport()->mapToGlobal(toQPoint(at)));
    return chosen ? chosen->data().toUInt() : 0;
}

// --- dragging a tool image ---

void ChartView::syncToolDrag() {
    const bool want = layout().isToolDragging();
    if (want == toolDrag)
        return;
    toolDrag = want;
    if (want) {
        qApp->installEventFilter(this);
        showToolImage(viewport()->rect().contains(viewport()->mapFromGlobal(QCursor::pos())));
    } else {
        qApp->removeEventFilter(this);
        showToolImage(false);
    }
    emit stateChanged();
}

void ChartView::showToolImage(bool show) {
    if (show == toolImageShown)
        return;
    toolImageShown = show;
    if (show)
        QGuiApplication::setOverrideCursor(toolDragCursor(layout().getTool(), devicePixelRatioF()));
    else
        QGuiApplication::restoreOverrideCursor();
}

bool ChartView::eventFilter(QObject* watched, QEvent* e) {
    if (!toolDrag)
        return QAbstractScrollArea::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseMove: {
        const auto* me = static_cast<QMouseEvent*>(e);
        const QPoint at = viewport()->mapFromGlobal(me->globalPosition().toPoint());
        // Outside the chart the image goes; back inside it follows the mouse again.
        showToolImage(viewport()->rect().contains(at));
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* me = static_cast<QMouseEvent*>(e);
        // A press in the chart only prepares the drop.
        return viewport()->rect().contains(
            viewport()->mapFromGlobal(me->globalPosition().toPoint()));
    }
    case QEvent::MouseButtonRelease: {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton)
            return false;
        const QPoint at = viewport()->mapFromGlobal(me->globalPosition().toPoint());
        const bool inside = viewport()->rect().contains(at);
        if (inside)
            layout().dropTool(toCPoint(at));
        else
            layout().endToolDrag();
        syncToolDrag();
        return inside;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            runCommand(cmd::Normal);
            return true;
        }
        return false;
    default:
        return false;
    }
}
