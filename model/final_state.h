#pragma once
// The bull's eye a state machine ends in: transitions only arrive at it.

#include "model/state.h"
#include "platform/kelmora_export.h"

class KELMORA_API FinalState : public EndableState {
public:
    static const std::string cType;
    static CRect getMinimumRect() { return {0, 0, 4, 4}; }

    FinalState();
    FinalState(long id, ViewServices* mgr, const CRect& r);

    void draw(CDC* dc) override;
    const std::string& getType() const override { return cType; }
    void onRectChange(const CRect& oldRect, bool resized) override;
    void updateNodes() override;
};
