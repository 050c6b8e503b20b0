#include "editor/app/line_pickers.h"

#include "model/default_settings.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

using DrawItem = void (*)(QPainter&, const QRect&, int, bool);

QColor qColor(COLORREF c) {
    return QColor(int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c)));
}

Qt::PenStyle qPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Null:
        return Qt::NoPen;
    case PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

void drawFocus(QPainter& painter, const QRect& r) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

class ItemDelegate : public QStyledItemDelegate {
public:
    ItemDelegate(DrawItem painter, QObject* parent) : QStyledItemDelegate(parent), draw(painter) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        draw(*painter, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {80, 18};
    }

private:
    DrawItem draw;
};

// Items without text, item 0 chosen.
void fill(QComboBox& box, int count, DrawItem draw) {
    for (int i = 0; i < count; ++i)
        box.addItem(QString());
    box.setItemDelegate(new ItemDelegate(draw, &box));
    box.setCurrentIndex(0);
    box.setMinimumWidth(100);
}

// The closed list shows its current item the same way, inside the box's frame.
void paintClosed(QComboBox& box, DrawItem draw) {
    QStylePainter painter(&box);
    QStyleOptionComboBox option;
    option.initFrom(&box);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    if (box.currentIndex() >= 0)
        draw(painter, field, box.currentIndex(), false);
}

} // namespace

CColorComboEx::CColorComboEx(QWidget* parent) : QComboBox(parent) {
    fill(*this, int(CDefaultSettingDlg::cLineColors.size()), &CColorComboEx::drawItem);
}

void CColorComboEx::drawItem(QPainter& painter, const QRect& item, int index, bool selected) {
    if (index < 0 || std::size_t(index) >= CDefaultSettingDlg::cLineColors.size())
        return;
    const QRect swatch = item.adjusted(2, 2, -2, -2);
    painter.fillRect(swatch, qColor(CDefaultSettingDlg::cLineColors[std::size_t(index)]));
    if (selected)
        drawFocus(painter, swatch);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(item.adjusted(0, 0, -1, -1));
}

void CColorComboEx::paintEvent(QPaintEvent*) {
    paintClosed(*this, &CColorComboEx::drawItem);
}

PenPicker::PenPicker(QWidget* parent) : QComboBox(parent) {
    fill(*this, int(CDefaultSettingDlg::cLineStyles.size()), &PenPicker::drawItem);
}

void PenPicker::drawItem(QPainter& painter, const QRect& item, int index, bool selected) {
    if (index < 0 || std::size_t(index) >= CDefaultSettingDlg::cLineStyles.size())
        return;
    painter.fillRect(item, Qt::white);
    const int y = item.center().y();
    painter.setPen(
        QPen(Qt::black, 0, qPenStyle(CDefaultSettingDlg::cLineStyles[std::size_t(index)])));
    painter.drawLine(item.left() + 10, y, item.right() - 10, y);
    if (selected)
        drawFocus(painter, item.adjusted(2, 2, -2, -2));
    painter.setPen(QColor(0xC4, 0xC4, 0xC4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(item.adjusted(0, 0, -1, -1));
}

void PenPicker::paintEvent(QPaintEvent*) {
    paintClosed(*this, &PenPicker::drawItem);
}
