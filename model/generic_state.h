#pragma once
// The ordinary state: a named rounded box with entry and exit actions, optionally keeping
// history. Transitions may both leave and enter it.

#include "model/state.h"
#include "model/text_box.h"
#include "platform/gdi.h"
#include "platform/kelmora_export.h"

#include <cstdint>

class KELMORA_API GenericState : public StartableState, public EndableState {
public:
    static const std::string cType;
    static CRect getMinimumRect() { return {0, 0, 10, 8}; }
    // The name the insert tool gives a new state.
    static std::string getDefaultName();

    GenericState();
    GenericState(long id, ViewServices* mgr, const CRect& r, const std::string& name);

    void serialise(OutArchive& ar) override;
    void serialise(InArchive& ar) override;
    void draw(CDC* dc) override;
    const std::string& getType() const override { return cType; }
    void onContextMenuAction(int commandId) override;
    void onLButtonDoubleClick(UINT flags, CPoint point) override;
    void init() override;
    void onRectChange(const CRect& oldRect, bool resized) override;
    void updateNodes() override;

    EntryExitTextBox* getTextHandler() { return &textHandler; }
    bool hasHistory() const { return history != 0; }
    void setHistory(bool on) { history = on ? 1 : 0; }
    COLORREF getColor() const { return color; }
    void setColor(COLORREF c) { color = c; }
    bool isTransparent() const { return transparent != 0; }
    void setTransparent(bool on) { transparent = on ? 1 : 0; }

protected:
    EntryExitTextBox textHandler;
    std::int32_t history = 0;
    COLORREF color = RGB(255, 255, 191);
    std::int32_t transparent = 0;

private:
    void editEntryExit();
    void editProperties();
};
