#include "model/collection.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Counts the commands it is sent; optionally runs a side effect on the collection.
struct Item : Collectable {
    std::function<void()> onExecute;
    int calls = 0;
    void execute(EAction, void*) override {
        ++calls;
        if (onExecute)
            onExecute();
    }
};

} // namespace

TEST(CollectionTest, AddIgnoresDuplicatesRemoveKeepsOrderAndExecuteSkipsTheExcluded) {
    Collection c;
    Item a, b, d;
    c.add(&a);
    c.add(&b);
    c.add(&a);
    c.add(&d);
    EXPECT_EQ(c.size(), 3u);
    c.remove(&b);
    c.remove(&b); // absent: ignored
    EXPECT_TRUE(c.find(&a));
    EXPECT_FALSE(c.find(&b));
    std::vector<Item*> order;
    a.onExecute = [&] { order.push_back(&a); };
    d.onExecute = [&] { order.push_back(&d); };
    c.execute(eSelect, nullptr);
    c.execute(eTrack, nullptr, &a); // all but the excluded one
    EXPECT_EQ(order, (std::vector<Item*>{&a, &d, &d}));
    c.clear();
    EXPECT_TRUE(c.isEmpty());
}

TEST(CollectionTest, ExecuteVisitsSnapshotWhileHandlersChangeTheCollection) {
    Collection c;
    Item a, b, d, late;
    // a removes every other item and adds a newcomer; the walk still reaches b and d but
    // not the newcomer.
    a.onExecute = [&] {
        c.remove(&b);
        c.remove(&d);
        c.add(&late);
    };
    c.add(&a);
    c.add(&b);
    c.add(&d);
    c.execute(eMove, nullptr);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(d.calls, 1);
    EXPECT_EQ(late.calls, 0);
    EXPECT_TRUE(c.find(&late));
    EXPECT_FALSE(c.find(&b));
}
