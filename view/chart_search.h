#pragma once
// The search behind find and replace: the entry and exit actions of ordinary states and the
// events of transition messages, in the model manager's shape order. Each found text is
// searched, replaced and edited by its own text box.

#include "platform/dialogs.h"

#include <vector>

class ModelMgr;
class TextHandler;

class ChartSearch final : public TextSearch {
public:
    explicit ChartSearch(ModelMgr& searched) : shapes(searched) {}

    // A state is looked at only with inStates, a message only with inEvents; initial and final
    // states, notes and lines never.
    std::vector<FoundText> find(const std::string& what, bool inStates, bool inEvents) override;
    // Rows outside the last find are skipped.
    bool replace(const std::vector<int>& rows, const std::string& what,
                 const std::string& with) override;
    void edit(int row) override;

private:
    TextHandler* at(int row) const;

    ModelMgr& shapes;
    std::vector<TextHandler*> found;
    std::vector<FoundText> rows;
};
