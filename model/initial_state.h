#pragma once
// The filled dot a state machine starts from: transitions only leave it.

#include "model/state.h"
#include "platform/kelmora_export.h"

class KELMORA_API InitialState : public StartableState {
public:
    static const std::string cType;
    static CRect getMinimumRect() { return {0, 0, 4, 4}; }

    InitialState();
    InitialState(long id, ViewServices* mgr, const CRect& r);

    void draw(CDC* dc) override;
    const std::string& getType() const override { return cType; }
    void onRectChange(const CRect& oldRect, bool resized) override;
    void updateNodes() override;
};
