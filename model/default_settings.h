#pragma once
// The process-wide record of user defaults for new states, messages, note lines and views,
// kept under the "Settings" section of the settings store. The editor's default-settings
// dialog edits this one instance; shapes copy its fields when they are made.

#include "platform/gdi.h"

#include <array>
#include <string>

class CDefaultSettingDlg {
public:
    // Indexed by the "LineColor" value; the colour list box shows them in this order.
    static constexpr std::array<COLORREF, 16> cLineColors = {
        0x000080, 0x000000, 0xFFFFFF, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
        0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00,
    };
    // Indexed by the "LineStyle" value; the style list box shows them in this order.
    static constexpr std::array<PenStyle, 5> cLineStyles = {
        PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Solid,
    };

    // Created on first use, filled from the settings store.
    static CDefaultSettingDlg& Instance();

    // A cosmetic pen from the two tables; an index outside its table counts as 0.
    static Pen CreateLinePen(int styleIndex, int colorIndex);

    // Every field from the store; a missing value gives its default.
    void LoadSettings();
    // Every field to the store: flags, indexes, colours and sizes as integers, the rest as text.
    void SaveSettings() const;

    CDefaultSettingDlg(const CDefaultSettingDlg&) = delete;
    CDefaultSettingDlg& operator=(const CDefaultSettingDlg&) = delete;

    // The registry values of the same names (upper camel case); defaults in LoadSettings.
    std::string stateName;
    bool stateAnchor{};
    bool stateBgTransparent{};
    bool mesgAnchor{};
    bool mesgBorder{}; // set means "No Border": new messages are drawn without one
    bool mesgBgTransparent{};
    bool showGrid{};
    int lineColor{}; // index into cLineColors
    int lineStyle{}; // index into cLineStyles
    std::string entry;
    std::string exit;
    COLORREF stateBgColor{};
    COLORREF mesgBorderColor{};
    COLORREF mesgBgColor{};
    std::string fontName;
    int fontSize{}; // tenths of a point
    COLORREF fontColor{};

private:
    CDefaultSettingDlg();
};
