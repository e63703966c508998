#include "lists/PlaylistRowPainter.h"

#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"

#include <QPainter>

void PlaylistRowPainter::paint(QPainter& painter, const QRect& rowRect,
                               const PlaylistRowState& state) {
    using namespace ListPalette;
    const bool deviceRow = state.index == 0;
    QColor fill = deviceRow ? kOddRowFill : kEvenRowFill;
    if (state.selected)
        fill = kSelectedFill;
    painter.fillRect(rowRect, fill);

    const QRect textArea = rowRect.adjusted(deviceRow ? 0 : kPlaylistIndent, 0, 0, 0);
    if (state.name.isEmpty() || textArea.width() <= 0)
        return;
    painter.setPen(state.selected ? kSelectedText : kRowText);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, state.name);
}
