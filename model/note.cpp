#include "model/note.h"

#include "model/archive.h"
#include "model/config.h"
#include "model/drawing_resources.h"
#include "model/res_strings.h"
#include "model/side_anchors.h"
#include "model/util.h"
#include "model/view_services.h"
#include "platform/cdc.h"
#include "platform/command_ids.h"
#include "platform/services.h"

namespace {} // namespace

const std::string Note::cType = "Note";

Note::Note() = default;

Note::Note(long id, ViewServices* view, const CRect& r)
    : ConnectableRectShape(id, cType, view, r, cNoteLayer) {
    textHandler.setData(LoadResString(IDS_NOTE));
}

void Note::serialise(OutArchive& ar) {
    ConnectableRectShape::serialise(ar);
    ar.getStream() << transparent << ' ' << noBorder << ' ' << bkColor << ' ' << borderColor;
    ar.endl();
    Util::writeMultiLines(ar.getStream(), textHandler.getData(), marker::TEXTBEGIN,
                          marker::TEXTEND);
}

void Note::serialise(InArchive& ar) {
    ConnectableRectShape::serialise(ar);
    ar.readNumbers(transparent, noBorder, bkColor, borderColor);
    std::string text;
    Util::readMultiLines(ar.getStream(), text, marker::TEXTBEGIN, marker::TEXTEND);
    textHandler.setData(text);
}

void Note::init() {
    textHandler.create(mgr);
    ConnectableRectShape::init();
}

// Note lines attach to a note at the middle of its sides.
void Note::updateNodes() {
    nodes.clear();
    if constexpr (config::kInteractive)
        anchors::midSides(nodes, rect);
}

void Note::draw(CDC* dc) {
    if constexpr (config::kInteractive) {
        if (!dc || !mgr)
            return;
        const CRect r = getClientRect();
        const LONG c = static_cast<LONG>(ViewServices::pFu(2));
        const Brush brush =
            transparent ? DrawingResources::instance().hollowBrush : Brush::solid(bkColor);
        const Pen oldPen = dc->SelectPen(Pen{PenStyle::Solid, 0, borderColor});
        const Brush oldBrush = dc->SelectBrush(brush);
        dc->Polygon({{r.left, r.top},
                     {r.left, r.bottom},
                     {r.right, r.bottom},
                     {r.right, r.top + c},
                     {r.right - c, r.top},
                     {r.left, r.top}});
        // The folded corner.
        dc->MoveTo(CPoint(r.right, r.top + c));
        dc->LineTo(CPoint(r.right - c, r.top + c));
        dc->LineTo(CPoint(r.right - c, r.top));
        dc->SelectBrush(oldBrush);
        dc->SelectPen(oldPen);

        textHandler.drawText(dc, CRect(r.left + 3, r.top + 3, r.right - c, r.bottom - 3));
        ConnectableRectShape::draw(dc);
    }
}

void Note::onContextMenuAction(int commandId) {
    switch (commandId) {
    case cmd::EditNote:
        if (textHandler.handleEdit(LoadResString(IDS_NOTE)))
            invalidate();
        break;
    case cmd::DeleteNote:
        if (platform::messageBoxes().show(LoadResString(IDS_CONFIRM_DELETE), MsgButtons::YesNo,
                                          MsgIcon::Question, MsgResult::No) == MsgResult::Yes) {
            invalidate();
            delete this; // nothing may touch the note after this line
        }
        break;
    case cmd::Properties:
        editProperties();
        break;
    default:
        ConnectableRectShape::onContextMenuAction(commandId);
        break;
    }
}

void Note::onLButtonDoubleClick(UINT, CPoint) {
    onContextMenuAction(cmd::EditNote);
}

void Note::editProperties() {
    if (editBoxProperties(LoadResString(IDS_NOTE_PROPERTIES), transparent, noBorder, bkColor,
                          borderColor, false))
        invalidate();
}
