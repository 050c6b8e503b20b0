#pragma once
// The editor's command vocabulary as data: every command's menu text and accelerators, the
// two main menus (no chart open, a chart open) and the two toolbars.

#include <QKeySequence>
#include <QList>

#include <vector>

struct CommandInfo {
    unsigned id;
    const char* text; // menu text with its '&' mnemonic
    QList<QKeySequence> keys;
};

struct MenuInfo {
    const char* title;
    std::vector<unsigned> items; // command ids; 0 is a separator
};

const std::vector<CommandInfo>& commandTable();
// Menu 128 without a chart, menu 129 with one.
const std::vector<MenuInfo>& menuNoChart();
const std::vector<MenuInfo>& menuChart();
// Toolbar 128 (standard) and 130 (drawing); 0 is a separator.
const std::vector<unsigned>& standardToolbar();
const std::vector<unsigned>& drawingToolbar();
