#include "view/undo_history.h"

#include <string_view>

namespace {
// What follows the header and zoom lines.
std::string_view chartPart(std::string_view snapshot) {
    for (int line = 0; line < 2; ++line) {
        const auto end = snapshot.find('\n');
        if (end == std::string_view::npos)
            return {};
        snapshot.remove_prefix(end + 1);
    }
    return snapshot;
}
} // namespace

void UndoHistory::push(std::string snapshot) {
    if (current < entries.size() && chartPart(entries[current]) == chartPart(snapshot))
        return;
    if (!entries.empty())
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(current) + 1, entries.end());
    entries.push_back(std::move(snapshot));
    if (entries.size() > cLimit)
        entries.pop_front();
    current = entries.size() - 1;
}

const std::string& UndoHistory::undo() {
    if (canUndo())
        --current;
    return entries.at(current);
}

const std::string& UndoHistory::redo() {
    if (canRedo())
        ++current;
    return entries.at(current);
}
