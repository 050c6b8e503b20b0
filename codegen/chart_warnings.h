#pragma once
// What generation leaves out of a chart or can never run, though the chart is generated: each
// generator prints these as warning lines and tvccheck reports them, from this one place.

#include "platform/kelmora_export.h"

#include <string>
#include <vector>

class Shape;

struct ChartWarning {
    struct Ref {
        std::string name; // a state's class name, or the kind of shape
        long id = 0;      // the chart's object id
    };
    std::string rule;    // the stable id tvccheck reports it under
    std::string message; // one line, naming states as the trace does
    std::vector<Ref> shapes;
};

// The shapes of an analysed chart, with the class names set; in shape order.
KELMORA_API std::vector<ChartWarning> findChartWarnings(const std::vector<Shape*>& shapes);
