#pragma once
// The two drop-down lists of a note line's look: 16 colour swatches and 5 pen styles, in the
// order of the default settings' line tables, drawn without text. The current index is the
// table index.

#include <QComboBox>

class QPainter;

class CColorComboEx : public QComboBox {
    Q_OBJECT
public:
    explicit CColorComboEx(QWidget* parent = nullptr);
    // Swatch i inset by 2 pixels, a focus frame on it when selected, the item framed in black.
    static void drawItem(QPainter& painter, const QRect& item, int index, bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class PenPicker : public QComboBox {
    Q_OBJECT
public:
    explicit PenPicker(QWidget* parent = nullptr);
    // White, a black line of style i 10 pixels in from either side at mid height, a focus
    // frame 2 pixels inside when selected, the item framed in light grey.
    static void drawItem(QPainter& painter, const QRect& item, int index, bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
};
