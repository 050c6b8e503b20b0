#include "model/factory.h"
#include "model/model_data.h"
#include "model/shape_registry.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Owns a model the way the editor's model manager and the generator do: unregistering a
// shape also takes it out of the list.
class Owner : public ShapeRegistry {
public:
    Factory factory;
    ModelData data{factory};
    void unRegisterShape(long id) override {
        Shape* s = getShape(id);
        ShapeRegistry::unRegisterShape(id);
        auto& list = data.getShapeList();
        list.erase(std::remove(list.begin(), list.end(), s), list.end());
    }
};

} // namespace

TEST(ModelDataTest, RegisteredShapesAreDestroyedExactlyOnceThroughTheOwner) {
    TestShape::destroyed = 0;
    {
        Owner owner;
        for (long id : {101, 102, 103}) {
            auto* s = new TestShape(id);
            owner.data.getShapeList().push_back(s);
            s->create(&owner, nullptr);
        }
        // The owner's data member dies before its registry base; the shapes unregister
        // through the still-live registry.
    }
    EXPECT_EQ(TestShape::destroyed, 3);
}

// An interrupted read leaves unregistered shapes; registered ones that nobody unlists would
// otherwise stay first in the list forever. Either way each dies exactly once.
TEST(ModelDataTest, ShapesNoRegistryUnlistsAreDestroyedOnce) {
    for (const bool registered : {false, true}) {
        SCOPED_TRACE(registered);
        TestShape::destroyed = 0;
        Factory f;
        {
            ModelData data(f);
            data.setShapesRegistered(registered);
            data.getShapeList().push_back(new TestShape(101));
            data.getShapeList().push_back(new TestShape(102));
        }
        EXPECT_EQ(TestShape::destroyed, 2);
    }
}

TEST(ModelDataTest, ShallowCopySharesShapesAndEmptiedListDestroysNothing) {
    TestShape::destroyed = 0;
    Factory f;
    TestShape kept(101);
    {
        ModelData data(f);
        data.getShapeList().push_back(&kept);
        ModelData copy(data);
        EXPECT_EQ(copy.getShapeList(), data.getShapeList());
        EXPECT_EQ(&copy.getFactory(), &f);
        copy.getShapeList().clear();
        data.getShapeList().clear();
    }
    EXPECT_EQ(TestShape::destroyed, 0);
}
