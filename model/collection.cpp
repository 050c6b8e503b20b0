#include "model/collection.h"

#include <algorithm>

bool Collection::find(Collectable* item) const {
    return std::find(colnList.begin(), colnList.end(), item) != colnList.end();
}

void Collection::add(Collectable* item) {
    if (!find(item))
        colnList.push_back(item);
}

void Collection::remove(Collectable* item) {
    auto it = std::find(colnList.begin(), colnList.end(), item);
    if (it != colnList.end())
        colnList.erase(it);
}

void Collection::execute(EAction action, void* data, Collectable* exclude) {
    const std::vector<Collectable*> snapshot = colnList;
    for (Collectable* item : snapshot)
        if (item != exclude)
            item->execute(action, data);
}
