#pragma once
// The chart's undo history: whole-chart snapshots (the text a save would write), oldest
// first, with the entry shown now. Bounded: the state shown and 20 steps back.

#include <cstddef>
#include <deque>
#include <string>

class UndoHistory {
public:
    static constexpr std::size_t cLimit = 21;

    // A snapshot of the chart shown adds nothing (the zoom, its second line, is not part of
    // the chart); otherwise the redo steps go, the snapshot becomes the one shown, and the
    // oldest goes beyond the limit.
    void push(std::string snapshot);
    bool canUndo() const { return current > 0 && current < entries.size(); }
    bool canRedo() const { return current + 1 < entries.size(); }
    // The snapshot one step back or forward, which is then the one shown.
    const std::string& undo();
    const std::string& redo();
    std::size_t size() const { return entries.size(); }
    const std::string& shown() const { return entries.at(current); }

private:
    std::deque<std::string> entries;
    std::size_t current = 0;
};
