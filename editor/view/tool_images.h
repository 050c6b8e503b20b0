#pragma once
// The pictures that follow the mouse while a drawing tool is dragged onto a chart: one per
// tool, 30 pixels square, drawn here so they stay sharp at any screen scale.

#include <QCursor>

// The drag cursor of a tool command (32873-32878), its hot spot 10 pixels above and left of
// the picture; an arrow for any other id.
QCursor toolDragCursor(unsigned tool, qreal devicePixelRatio = 1.0);
