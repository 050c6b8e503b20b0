#pragma once
// Headless implementations of the platform interfaces: they draw nothing, show nothing and
// answer every question with its default, so the model runs without a window system.

#include "platform/cdc.h"
#include "platform/clipboard.h"
#include "platform/cwnd.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <utility>

class NullDC : public CDC {
public:
    Pen SelectPen(const Pen& pen) override { return std::exchange(pen_, pen); }
    Brush SelectBrush(const Brush& brush) override { return std::exchange(brush_, brush); }
    Font SelectFont(const Font& font) override { return std::exchange(font_, font); }
    COLORREF SetTextColor(COLORREF color) override { return std::exchange(textColor_, color); }
    BkMode SetBkMode(BkMode mode) override { return std::exchange(bkMode_, mode); }
    RasterOp SetROP2(RasterOp op) override { return std::exchange(rop_, op); }
    void MoveTo(CPoint) override {}
    void LineTo(CPoint) override {}
    void Polyline(const std::vector<CPoint>&) override {}
    void Polygon(const std::vector<CPoint>&) override {}
    void Rectangle(const CRect&) override {}
    void RoundRect(const CRect&, CPoint) override {}
    void Ellipse(const CRect&) override {}
    void Arc(const CRect&, CPoint, CPoint) override {}
    void FillRect(const CRect&, const Brush&) override {}
    void FrameRect(const CRect&, const Brush&) override {}
    int DrawText(const std::string&, CRect&, unsigned) override { return 0; }
    void DrawAnchor(CPoint) override {}

private:
    Pen pen_;
    Brush brush_;
    Font font_;
    COLORREF textColor_ = 0;
    BkMode bkMode_ = BkMode::Opaque;
    RasterOp rop_ = RasterOp::CopyPen;
};

// A window that is never shown: repaints vanish and a mouse loop ends at once.
class NullWnd : public CWnd {
public:
    void Invalidate(const CRect&) override {}
    void UpdateWindow() override {}
    void SetCursor(CursorId) override {}
    CPoint GetCursorPos() const override { return {}; }
    bool IsShiftDown() const override { return false; }
    CDC& GetOverlayDC() override { return dc_; }
    void SetCapture() override {}
    void ReleaseCapture() override {}
    MouseEvent NextMouseEvent() override { return {MouseEvent::CaptureLost, {}}; }
    unsigned TrackPopupMenu(const std::vector<MenuItem>&, CPoint) override { return 0; }

private:
    NullDC dc_;
};

class NullMessageBoxes : public MessageBoxes {
public:
    MsgResult show(const std::string&, MsgButtons, MsgIcon, MsgResult defaultButton) override {
        return defaultButton;
    }
};

// Every dialog is cancelled.
class NullDialogs : public DialogRequests {
public:
    bool editText(const std::string&, std::string&) override { return false; }
    bool editEntryExit(const std::string&, std::string&, std::string&) override { return false; }
    bool editEvent(const std::string&, std::string&, std::string&, std::string&) override {
        return false;
    }
    bool stateProperties(StateProperties&) override { return false; }
    bool boxProperties(const std::string&, BoxProperties&) override { return false; }
    bool lineProperties(LineProperties&) override { return false; }
    bool modelProperties(std::string&, std::string&, std::string&) override { return false; }
    bool codeGenProperties(CodeGenTexts&) override { return false; }
    void findReplace(TextSearch&) override {}
};

// Nothing stored: every read misses, every write is dropped.
class NullSettingsStore : public SettingsStore {
public:
    std::optional<std::int32_t> readInt(const std::string&, const std::string&) const override {
        return std::nullopt;
    }
    std::optional<std::string> readString(const std::string&, const std::string&) const override {
        return std::nullopt;
    }
    void writeInt(const std::string&, const std::string&, std::int32_t) override {}
    void writeString(const std::string&, const std::string&, const std::string&) override {}
};

class NullClipboard : public Clipboard {
public:
    void setData(const std::string&, const std::string&) override {}
    std::optional<std::string> getData(const std::string&) const override { return std::nullopt; }
};
