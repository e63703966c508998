#include "lists/TrackRowPainter.h"

#include "lists/CheckGlyph.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/PixelPainting.h"
#include "lists/StarRating.h"
#include "lists/TrackCells.h"

#include <QPainter>
#include <algorithm>

namespace {

QColor RowFill(const TrackRowState& state) {
    using namespace ListPalette;
    if (state.selected)
        return kSelectedFill;
    return (state.index % 2 == 0) ? kEvenRowFill : kOddRowFill;
}

void DrawCellText(QPainter& painter, const QRect& area, int align, const QString& text) {
    if (!text.isEmpty() && area.width() > 0)
        painter.drawText(area, align | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace

QRect TrackRowPainter::RowRect(int top, int height) const {
    int right = RightEdge(columns[kColumnGenre]);
    for (const ShownDetailColumn& shown : details)
        right = std::max(right, RightEdge(shown.extent));
    return QRect(0, top, right, height);
}

void TrackRowPainter::paint(QPainter& painter, const QRect& rowRect,
                            const TrackRowState& state) const {
    using namespace ListPalette;
    const int top = rowRect.y();
    const int height = rowRect.height();
    const auto cell = [&](int column) {
        return QRect(columns[column].x(), top, columns[column].width(), height);
    };

    painter.fillRect(rowRect, RowFill(state));
    for (int column = 0; column < kTrackColumnCount; ++column)
        FillPixelColumn(painter, RightEdge(cell(column)) - 1, top, top + height, kGridLine);

    const QRect name = cell(kColumnName);
    CheckGlyph::paint(painter, QRect(name.x(), top, kCheckCellWidth, height), state.checked);

    painter.setPen(state.selected ? kSelectedText : kRowText);
    DrawCellText(painter, name.adjusted(kCheckCellWidth, 0, 0, 0), Qt::AlignLeft, state.title);
    DrawCellText(painter, cell(kColumnNumber), Qt::AlignHCenter, RowNumberText(state.index));
    DrawCellText(painter, cell(kColumnSize), Qt::AlignHCenter, state.size);
    DrawCellText(painter, cell(kColumnArtist), Qt::AlignHCenter, state.artist);
    DrawCellText(painter, cell(kColumnAlbum), Qt::AlignHCenter, state.album);
    DrawCellText(painter, cell(kColumnGenre), Qt::AlignHCenter, state.genre);
    PaintDetails(painter, top, height, state);
}

void TrackRowPainter::PaintDetails(QPainter& painter, int top, int height,
                                   const TrackRowState& state) const {
    using namespace ListPalette;
    for (size_t i = 0; i < details.size(); ++i) {
        const QRect cell(details[i].extent.x(), top, details[i].extent.width(), height);
        FillPixelColumn(painter, RightEdge(cell) - 1, top, top + height, kGridLine);
        const QColor ink = state.selected ? kSelectedText : kRowText;
        if (details[i].column == DetailColumn::Rating)
            StarRating::paint(painter, cell, state.stars, ink);
        else if (i < state.detailTexts.size())
            DrawCellText(painter, cell, Qt::AlignHCenter, state.detailTexts[i]);
    }
}
