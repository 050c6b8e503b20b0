#pragma once
// A minimal concrete shape for tests of the identity and ownership classes. It counts its
// destructions so tests can prove each shape dies exactly once.

#include "model/shape.h"

#include <string>

class TestShape : public Shape {
public:
    static inline int destroyed = 0;
    static inline const std::string cType = "TestShape";

    explicit TestShape(long id = 0, ViewServices* view = nullptr, short layer = 10)
        : Shape(id, cType, view, layer) {}
    ~TestShape() override { ++destroyed; }

    void draw(CDC*) override {}
    void getMaxPrintArea(long& x, long& y) override { x = y = 0; }
    bool isClientPt(const CPoint&) const override { return false; }
    bool isNearPt(const CPoint&) const override { return false; }
    bool isInRect(const CRect&) const override { return false; }
    void invalidate() override {}
    const std::string& getType() const override { return cType; }
    CRect getBoundingRect() override { return {}; }
    void execute(EAction, void*) override {}

    int inits = 0;
    int partialInits = 0;
    void init() override { ++inits; }
    void initPartial() override { ++partialInits; }
};
