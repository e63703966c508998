#include "lists/HeaderPainting.h"

#include "controls/FillGradient.h"
#include "lists/CheckGlyph.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/PixelPainting.h"
#include "lists/SortArrow.h"

#include <QPainter>

void HeaderBackground::paint(QPainter& painter, const QRect& client) {
    using namespace ListPalette;
    FillGradient(painter, client, kHeaderTop, kHeaderBottom);
    FillThickLine(painter, client.x(), RightEdge(client), BottomEdge(client), kHeaderBaseLine);
}

namespace {

void PaintCaption(QPainter& painter, const QRect& area, const QString& caption, bool centred) {
    const int align = Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft);
    painter.setPen(ListPalette::kHeaderText);
    painter.drawText(area, align | Qt::TextSingleLine, caption);
}

} // namespace

void HeaderSection::paint(QPainter& painter, const QRect& section,
                          const HeaderSectionState& state) {
    using namespace ListPalette;
    const int l = section.x();
    const int t = section.y();
    const int r = RightEdge(section);
    const int b = BottomEdge(section);

    SortArrow::paint(painter, section, state.sortState);
    FillThickLine(painter, l, r, b, kHeaderBaseLine);
    FillPixelColumn(painter, r - 1, t, b, kDividerDark);
    FillPixelColumn(painter, r, t, b, kDividerLight);

    int captionLeft = l + kCaptionIndent;
    if (state.hasCheckBox) {
        CheckGlyph::paint(painter, QRect(l, t, kCheckCellWidth, b - t), state.checked);
        captionLeft = l + kCheckCellWidth;
    }
    PaintCaption(painter, QRect(captionLeft, t, r - captionLeft, b - t), state.caption,
                 state.centredCaption);
}
