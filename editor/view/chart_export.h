#pragma once
// Writes a chart to an image file through the print path (normal scale, print pens): SVG,
// PNG or PDF, chosen by the file's extension in any case. Works without a display.

#include <QByteArray>
#include <QImage>

#include <string>

class LayoutMgr;

// Throws std::string "Unsupported export format: <extension>" or "Unable to write <path>";
// a failed export leaves any earlier file at path as it was.
void exportChart(LayoutMgr& layout, const std::string& path);

// The chart as SVG text and as a picture, drawn the same way, for the clipboard. A picture
// larger than the pixel budget is scaled down to it.
QByteArray chartSvg(LayoutMgr& layout);
QImage chartImage(LayoutMgr& layout);
