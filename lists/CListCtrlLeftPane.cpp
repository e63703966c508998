#include "lists/CListCtrlLeftPane.h"

#include "lists/CHeaderCtrlLeftPane.h"
#include "lists/PlaylistRowPainter.h"
#include "lists/TrackCells.h"

CListCtrlLeftPane::CListCtrlLeftPane(QWidget* parent)
    : COwnerDrawList(new CHeaderCtrlLeftPane, parent),
      header(static_cast<CHeaderCtrlLeftPane*>(horizontalHeader())) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    header->setSectionsClickable(false);
}

void CListCtrlLeftPane::SetPlaylists(const PlaylistRecord* playlists) {
    std::lock_guard lock(rowsLock);
    playlistRows = playlists;
}

void CListCtrlLeftPane::DrawRow(QPainter& painter, int row, bool selected) {
    if (row >= itemCount())
        return;
    PlaylistRowState state;
    state.index = row;
    state.selected = selected;
    {
        std::lock_guard lock(rowsLock);
        if (playlistRows == nullptr)
            return;
        state.name = DeviceText(playlistRows[row].name);
    }
    PlaylistRowPainter::paint(painter, CellRect(row, 0), state);
}
