#pragma once
// An ordered set of non-owning items (the view's selection) that forwards commands to them.

#include "model/object.h"
#include "platform/kelmora_export.h"

#include <vector>

class KELMORA_API Collection {
public:
    bool find(Collectable* item) const;
    bool isEmpty() const { return colnList.empty(); }
    std::size_t size() const { return colnList.size(); }
    const std::vector<Collectable*>& items() const { return colnList; }
    // The first item; the collection must not be empty.
    Collectable* front() const { return colnList.front(); }

    // Appends unless already present.
    void add(Collectable* item);
    // Removes the first occurrence; an absent item is ignored.
    void remove(Collectable* item);
    void clear() { colnList.clear(); }

    // Sends action to every item present when the call starts, except exclude. Handlers may
    // add to or remove from the collection meanwhile.
    void execute(EAction action, void* data, Collectable* exclude = nullptr);

protected:
    std::vector<Collectable*>& getColnList() { return colnList; }

private:
    std::vector<Collectable*> colnList;
};
