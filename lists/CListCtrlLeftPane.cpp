#include "lists/CListCtrlLeftPane.h"

#include "lists/CHeaderCtrlLeftPane.h"
#include "lists/PlaylistRowPainter.h"
#include "lists/TrackCells.h"

CListCtrlLeftPane::CListCtrlLeftPane(QWidget* parent)
    : COwnerDrawList(new CHeaderCtrlLeftPane, parent),
      header(static_cast<CHeaderCtrlLeftPane*>(horizontalHeader())) {
    setAccessibleName(QStringLiteral("Playlists"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    header->setSectionsClickable(false);
}

void CListCtrlLeftPane::SetPlaylists(const PlaylistRecord* playlists) {
    std::lock_guard lock(rowsLock);
    playlistRows = playlists;
}

std::optional<QString> CListCtrlLeftPane::ReadName(int row) const {
    if (row < 0 || row >= itemCount())
        return std::nullopt;
    std::lock_guard lock(rowsLock);
    if (playlistRows == nullptr)
        return std::nullopt;
    return DeviceText(playlistRows[row].name);
}

QString CListCtrlLeftPane::CellText(int row, int column) const {
    return column == 0 ? ReadName(row).value_or(QString()) : QString();
}

void CListCtrlLeftPane::DrawRow(QPainter& painter, int row, bool selected) {
    const std::optional<QString> name = ReadName(row);
    if (!name)
        return;
    PlaylistRowState state;
    state.index = row;
    state.selected = selected;
    state.name = *name;
    PlaylistRowPainter::paint(painter, CellRect(row, 0), state);
}
