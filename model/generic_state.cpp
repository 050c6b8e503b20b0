#include "model/generic_state.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/default_settings.h"
#include "model/drawing_resources.h"
#include "model/side_anchors.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/cdc.h"
#include "platform/command_ids.h"
#include "platform/services.h"

#include <algorithm>

namespace {} // namespace

const std::string GenericState::cType = "GenericState";

std::string GenericState::getDefaultName() {
    if constexpr (config::kInteractive)
        return CDefaultSettingDlg::Instance().stateName;
    else
        return "State";
}

GenericState::GenericState() = default;

GenericState::GenericState(long id, ViewServices* view, const CRect& r, const std::string& n)
    : State(id, cType, view, r, n) {
    if constexpr (config::kInteractive) {
        const CDefaultSettingDlg& defaults = CDefaultSettingDlg::Instance();
        color = defaults.stateBgColor;
        transparent = defaults.stateBgTransparent ? 1 : 0;
        textHandler.setData(defaults.entry, defaults.exit);
    }
    history = 0;
}

void GenericState::serialise(OutArchive& ar) {
    State::serialise(ar);
    ar.getStream() << history << ' ' << color << ' ' << transparent;
    ar.endl();
    Util::writeMultiLines(ar.getStream(), textHandler.getEntry(), marker::TEXTBEGIN,
                          marker::TEXTEND);
    Util::writeMultiLines(ar.getStream(), textHandler.getExit(), marker::TEXTBEGIN,
                          marker::TEXTEND);
}

void GenericState::serialise(InArchive& ar) {
    State::serialise(ar);
    ar.readNumbers(history, color, transparent);
    std::string entry, exit;
    Util::readMultiLines(ar.getStream(), entry, marker::TEXTBEGIN, marker::TEXTEND);
    Util::readMultiLines(ar.getStream(), exit, marker::TEXTBEGIN, marker::TEXTEND);
    textHandler.setData(entry, exit);
}

void GenericState::init() {
    textHandler.create(mgr);
    State::init();
}

void GenericState::updateNodes() {
    nodes.clear();
    if constexpr (config::kInteractive)
        anchors::quarters(nodes, rect);
}

void GenericState::onRectChange(const CRect& oldRect, bool resized) {
    State::onRectChange(oldRect, resized);
    StartableState::publishChange(resized);
    EndableState::publishChange(resized);
}

void GenericState::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr)
            return;
        const BkMode oldMode = dc->SetBkMode(BkMode::Transparent);

        CRect r = getClientRect();
        r.right -= 2;
        r.bottom -= 2;
        const Brush& hollow = DrawingResources::instance().hollowBrush;
        const Brush oldBrush = dc->SelectBrush(transparent ? hollow : Brush::solid(color));
        const LONG corner = static_cast<LONG>(ViewServices::pFu(5));
        dc->RoundRect(r, CPoint(corner, corner));
        dc->SelectBrush(oldBrush);

        const Font oldFont = dc->SelectFont(mgr->getTextFont());
        const COLORREF oldColor = dc->SetTextColor(mgr->getTextColor());
        r.DeflateRect(3, 3);

        if (history) {
            CRect text(r.left + 10, r.top, r.left + 10, r.top);
            dc->DrawText("H", text, DT_CALCRECT);
            const LONG side = std::max(text.Width(), text.Height());
            const CPoint c = text.CenterPoint();
            CRect box(c.x - side / 2, c.y - side / 2, c.x - side / 2 + side, c.y - side / 2 + side);
            CRect circle = box;
            circle.InflateRect(2, 2);
            const Brush before = dc->SelectBrush(hollow);
            dc->Ellipse(circle);
            dc->SelectBrush(before);
            dc->DrawText("H", box, DT_CENTER);
        }

        CRect measured = r;
        const int nameHeight = dc->DrawText(name, measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
        CRect nameRect = r;
        dc->DrawText(name, nameRect, DT_CENTER | DT_WORDBREAK);

        const LONG lineY = r.top + nameHeight + 3;
        dc->MoveTo(CPoint(r.left, lineY));
        dc->LineTo(CPoint(r.right, lineY));

        CRect area = r;
        area.top += nameHeight;
        area.DeflateRect(3, 3);
        textHandler.drawText(dc, area);

        dc->SetTextColor(oldColor);
        dc->SelectFont(oldFont);
        dc->SetBkMode(oldMode);
        State::draw(dc);
    }
}

void GenericState::onContextMenuAction(int commandId) {
    switch (commandId) {
    case cmd::Properties:
        editProperties();
        break;
    case cmd::EditEntryExit:
        editEntryExit();
        break;
    default:
        State::onContextMenuAction(commandId); // may delete this
        break;
    }
}

void GenericState::onLButtonDoubleClick(UINT, CPoint) {
    editEntryExit();
}

void GenericState::editEntryExit() {
    if (textHandler.handleEdit(name))
        invalidate();
}

void GenericState::editProperties() {
    StateProperties props{name, history != 0, color, transparent != 0};
    if (!platform::dialogs().stateProperties(props))
        return;
    name = props.name.empty() ? "State" : props.name;
    history = props.history ? 1 : 0;
    color = props.color;
    transparent = props.transparent ? 1 : 0;
    if (mgr)
        mgr->refreshObjectEntry(this);
    invalidate();
}
