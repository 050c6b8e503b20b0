#include "model/factory.h"
#include "model/shape_registry.h"
#include "model/view_services.h"
#include "tests/model/test_shape.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ShapeRegistryTest, IdsStartAt101AndRegisteredOnesMoveTheCounterButNeverLowerIt) {
    ShapeRegistry reg;
    EXPECT_EQ(reg.getNewId(), 101);
    EXPECT_EQ(reg.getNewId(), 102);
    TestShape a(500), b(50);
    reg.registerShape(&a, 500);
    EXPECT_EQ(reg.getNewId(), 501);
    reg.registerShape(&b, 50);
    EXPECT_EQ(reg.getNewId(), 502);
    EXPECT_EQ(reg.getShape(500), &a);
    EXPECT_EQ(reg.getShape(50), &b);
    // Re-registering an id replaces the entry; unregistering unknown ids is harmless.
    reg.registerShape(&b, 500);
    EXPECT_EQ(reg.getShape(500), &b);
    reg.unRegisterShape(777);
    EXPECT_EQ(reg.getShape(777), nullptr);
    reg.unRegisterShape(500);
    EXPECT_EQ(reg.getShape(500), nullptr);
    EXPECT_EQ(reg.getNewId(), 503); // ids are never reused
}

TEST(ShapeRegistryTest, CreateJoinsRegistryAndViewAndDestructionLeavesBoth) {
    ShapeRegistry reg;
    ViewServices view;
    auto* headless = new TestShape(120);
    headless->create(&reg, nullptr);
    EXPECT_EQ(headless->partialInits, 1);
    EXPECT_EQ(headless->inits, 0);
    EXPECT_EQ(reg.getShape(120), headless);
    auto* shown = new TestShape(121);
    shown->create(&reg, &view);
    EXPECT_EQ(shown->inits, 1);
    EXPECT_EQ(shown->getMgr(), &view);
    view.getCollection().add(shown);
    delete shown;
    EXPECT_EQ(reg.getShape(121), nullptr);
    EXPECT_TRUE(view.getCollection().isEmpty());
    delete headless;
    EXPECT_EQ(reg.getShape(120), nullptr);
}

TEST(FactoryTest, EveryTypeNameCreatesAnEmptyShapeOfItsClassAndOtherNamesNothing) {
    Factory f;
    for (const char* name :
         {"GenericState", "InitialState", "FinalState", "Transition", "Mesg", "Note", "Line"}) {
        std::unique_ptr<Shape> shape(f.createShape(name));
        ASSERT_NE(shape, nullptr) << name;
        EXPECT_EQ(shape->getType(), name);
        EXPECT_EQ(shape->getObjId(), 0);
        EXPECT_EQ(shape->getZorder(), 0);
    }
    for (const char* name : {"Link", "", "genericstate", "GenericState "})
        EXPECT_EQ(f.createShape(name), nullptr) << name;
}
