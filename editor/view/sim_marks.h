#pragma once
// What a simulation shows on the drawing: marks on shapes, found by object id, painted by the
// chart view over the chart. They never touch the model, so leaving the simulation leaves the
// chart exactly as it was.

#include <QRect>

#include <string>
#include <vector>

class LayoutMgr;
class QPainter;

struct SimMark {
    // Each kind has its own line style and label, not only its colour, so that the marks read
    // in grey print and for colour-blind users.
    enum Kind {
        Active,    // an active state: thick solid outline
        Innermost, // the innermost active state: thick solid outline, filled tag
        Fired,     // the transition that just fired: thick solid line
        NotFired,  // a candidate that did not fire: dashed line, the reason as its label
        Picked,    // a shape a step-log line names: dash-dotted outline
        Disagrees, // where a replayed trace parts from the chart: dotted outline
    };
    long shapeId = 0;
    Kind kind = Active;
    std::string label; // empty: the kind's own word
};

struct SimMarks {
    std::vector<SimMark> marks;
    bool empty() const { return marks.empty(); }
};

// Paints the marks in client pixels at the chart's zoom and scroll; labels keep one size at
// every zoom. Marks of shapes the chart no longer has are skipped.
void paintSimMarks(QPainter& painter, LayoutMgr& chart, const SimMarks& marks);
// The client-pixel area of the marked shapes (empty when none is found): what to scroll to.
QRect simMarksArea(LayoutMgr& chart, const SimMarks& marks);
