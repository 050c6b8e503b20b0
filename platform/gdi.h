#pragma once
// Pens, brushes and fonts described as values: what a shape asks a device context to draw with.

#include <cstdint>
#include <string>

// 0x00BBGGRR: red in the low byte, as the model files store colours.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFF; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null };

// Width 0 is a cosmetic pen: one device pixel at any zoom.
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;
    COLORREF color = 0;
    bool operator==(const Pen&) const = default;
};

enum class BrushStyle { Solid, Hollow };

struct Brush {
    BrushStyle style = BrushStyle::Hollow;
    COLORREF color = 0;
    bool operator==(const Brush&) const = default;

    static Brush solid(COLORREF c) { return {BrushStyle::Solid, c}; }
    static Brush hollow() { return {BrushStyle::Hollow, 0}; }
};

// Size in tenths of a point, as the settings store it.
struct Font {
    std::string face = "Verdana";
    int sizeTenths = 80;
    bool operator==(const Font&) const = default;
};
