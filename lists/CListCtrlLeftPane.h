#pragma once

#include "library/TrackRecord.h"
#include "lists/COwnerDrawList.h"

#include <mutex>
#include <optional>

class CHeaderCtrlLeftPane;

// The playlist pane: one row per playlist under the caption "Devices". Row 0
// is the master playlist, standing for the whole device; the others are
// indented below it. A click on a row is reported through rowClicked.
//
// Owner's sequence on a (re)load: SetDisplay(0), SetPlaylists(nullptr),
// SetItemCount(0); then SetItemCount(n), SetPlaylists(playlists), SetDisplay(1).
class CListCtrlLeftPane : public COwnerDrawList {
    Q_OBJECT
public:
    explicit CListCtrlLeftPane(QWidget* parent = nullptr);

    // Borrows the playlist table (null allowed); the pane never frees it.
    void SetPlaylists(const PlaylistRecord* playlists);

    QString CellText(int row, int column) const override;
    std::optional<bool> RowTick(int) const override { return std::nullopt; }

protected:
    void DrawRow(QPainter& painter, int row, bool selected) override;

private:
    // The playlist's name as the row shows it; nothing outside the rows or
    // without a table.
    std::optional<QString> ReadName(int row) const;

    CHeaderCtrlLeftPane* header;
    mutable std::mutex rowsLock; // guards playlistRows; taken inside displayLock
    const PlaylistRecord* playlistRows = nullptr;
};
