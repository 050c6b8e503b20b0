#include "model/default_settings.h"

#include "model/res_strings.h"
#include "platform/services.h"

#include <cstdint>
#include <utility>

namespace {

const char* const cSection = "Settings";

std::int32_t readInt(const char* name, std::int32_t fallback) {
    return platform::settings().readInt(cSection, name).value_or(fallback);
}

bool readFlag(const char* name, bool fallback) {
    return readInt(name, fallback ? 1 : 0) != 0;
}

COLORREF readColor(const char* name, COLORREF fallback) {
    return static_cast<COLORREF>(readInt(name, static_cast<std::int32_t>(fallback)));
}

std::string readText(const char* name, std::string fallback) {
    return platform::settings().readString(cSection, name).value_or(std::move(fallback));
}

void writeInt(const char* name, std::int32_t value) {
    platform::settings().writeInt(cSection, name, value);
}

void writeColor(const char* name, COLORREF value) {
    writeInt(name, static_cast<std::int32_t>(value));
}

void writeText(const char* name, const std::string& value) {
    platform::settings().writeString(cSection, name, value);
}

template <class Table> std::size_t tableIndex(const Table& table, int index) {
    return index < 0 || static_cast<std::size_t>(index) >= table.size()
               ? 0
               : static_cast<std::size_t>(index);
}

} // namespace

CDefaultSettingDlg::CDefaultSettingDlg() {
    LoadSettings();
}

CDefaultSettingDlg& CDefaultSettingDlg::Instance() {
    static CDefaultSettingDlg instance;
    return instance;
}

Pen CDefaultSettingDlg::CreateLinePen(int styleIndex, int colorIndex) {
    return Pen{cLineStyles[tableIndex(cLineStyles, styleIndex)], 0,
               cLineColors[tableIndex(cLineColors, colorIndex)]};
}

// A first start with nothing stored: named "State", anchors shown, light yellow states,
// borderless messages on a transparent background, dotted dark red lines, 8-point Verdana.
void CDefaultSettingDlg::LoadSettings() {
    stateName = readText("StateName", LoadResString(IDS_STATE_NAME));
    stateAnchor = readFlag("StateAnchor", true);
    stateBgTransparent = readFlag("StateBgTransparent", false);
    mesgAnchor = readFlag("MesgAnchor", true);
    mesgBorder = readFlag("MesgBorder", true);
    mesgBgTransparent = readFlag("MesgBgTransparent", true);
    showGrid = readFlag("ShowGrid", true);
    lineColor = readInt("LineColor", 0);
    lineStyle = readInt("LineStyle", 0);
    entry = readText("Entry", "");
    exit = readText("Exit", "");
    stateBgColor = readColor("StateBgColor", 0xBFFFFF);
    mesgBorderColor = readColor("MesgBorderColor", 0x00FF00);
    mesgBgColor = readColor("MesgBgColor", 0xFFFFFF);
    fontName = readText("FontName", "Verdana");
    fontSize = readInt("FontSize", 80);
    fontColor = readColor("FontColor", 128);
}

// The order the default-settings dialog has always written them in.
void CDefaultSettingDlg::SaveSettings() const {
    writeText("StateName", stateName);
    writeInt("StateAnchor", stateAnchor ? 1 : 0);
    writeText("Entry", entry);
    writeText("Exit", exit);
    writeInt("StateBgTransparent", stateBgTransparent ? 1 : 0);
    writeInt("MesgAnchor", mesgAnchor ? 1 : 0);
    writeInt("MesgBorder", mesgBorder ? 1 : 0);
    writeInt("MesgBgTransparent", mesgBgTransparent ? 1 : 0);
    writeInt("ShowGrid", showGrid ? 1 : 0);
    writeColor("StateBgColor", stateBgColor);
    writeColor("MesgBorderColor", mesgBorderColor);
    writeColor("MesgBgColor", mesgBgColor);
    writeInt("LineColor", lineColor);
    writeInt("LineStyle", lineStyle);
    writeText("FontName", fontName);
    writeInt("FontSize", fontSize);
    writeColor("FontColor", fontColor);
}
