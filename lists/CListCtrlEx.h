#pragma once

#include "library/TrackRecord.h"
#include "lists/COwnerDrawList.h"
#include "lists/DetailColumns.h"
#include "lists/TickRules.h"
#include "lists/TrackSort.h"

class CHeaderCtrlEx;
struct ShownDetailColumn;
struct TrackRowState;

// The track list: one row per track of the shown view, six columns, a check
// box per row, a check-all box in the header and sorting by column. The
// detail columns (track, disc, year, rating, plays, last played) follow,
// hidden until the header's menu shows them. The
// owner keeps the rows; the list sorts them in place and sets their
// `checked` words under g_trackTableLock, which the copy worker shares.
// Space ticks or unticks every selected row together (Ctrl+A selects all).
//
// SetDisplay(0) also clears checkedCount and the check-all box.
// Owner's sequence when the view changes: SetDisplay(0), SetRows(nullptr),
// SetItemCount(0); then SetItemCount(n), SetRows(viewRows), SetDisplay(1).
class CListCtrlEx : public COwnerDrawList {
    Q_OBJECT
public:
    explicit CListCtrlEx(QWidget* parent = nullptr);

    // Borrows the view (null allowed) and clears the sort arrow.
    void SetRows(TrackRecord* rows);

    // Appends the detail columns after the six, all hidden; before InitHeader.
    void InsertDetailColumns();
    // Where the detail columns' values come from; no lookup, no values.
    void SetDetailsLookup(TrackDetailsLookup lookup);
    void ShowDetailColumns(const DetailColumnSet& shown);
    DetailColumnSet ShownDetailColumns() const;

    // The row's `checked` word; 0 without rows or for an index out of range.
    uint32_t GetRowCheck(int row);
    // Sets one row's check, keeping checkedCount and the check-all box in step.
    void SetRowCheck(int row, bool checked);
    // Checks or unchecks every row at once.
    void SetAllRowChecks(bool checked);
    // What Space does: the selected rows, or the current one when none is
    // selected, all get the same tick (see SpaceTick).
    void ToggleSelectedChecks();

    int checkedCount() const { return checked; }
    void SetCheckedCount(int count) { checked = count; }
    bool allChecked() const;
    CHeaderCtrlEx& Header() { return *header; }

    // True when the rows were sorted; false without rows.
    bool SortByTitle(bool descending);
    bool SortBySize(bool descending);
    bool SortByArtist(bool descending);
    bool SortByAlbum(bool descending);
    bool SortByGenre(bool descending);
    bool SortByDetail(DetailColumn column, bool descending);

    // True when pos (viewport coordinates) lies on a row's check cell: from
    // the "Name" column's left edge to kCheckCellWidth pixels right of it,
    // both ends included. The owner toggles the row's check on such a click.
    bool IsOnCheckCell(QPoint pos) const;

    // A click on header section `column`, released at header x: check-all on
    // the "Name" check box, otherwise sorting. Nothing on "Num" or when empty.
    void OnColumnClick(int column, int x);

    QString CellText(int row, int column) const override;
    std::optional<bool> RowTick(int row) const override;

signals:
    // The user showed or hid a detail column from the header's menu.
    void detailColumnsChanged();

protected:
    void DrawRow(QPainter& painter, int row, bool selected) override;
    void DisplaySwitchedOff() override;
    bool HandleKey(const QKeyEvent& event) override;

private:
    // Sets the ticks under g_trackTableLock, keeps the count and the
    // check-all box in step, and tells the view what changed.
    void SetTicksOf(const std::vector<RowSpan>& spans, bool tick);
    std::vector<RowSpan> SelectedRows() const;
    template <typename Sort> bool SortRowsWith(Sort sort);
    bool SortRows(TrackSortKey key, bool descending);
    bool SortColumn(int column, bool descending);
    TrackRowState ReadRowState(int row, bool selected,
                               const std::vector<ShownDetailColumn>& details);
    std::vector<ShownDetailColumn> ShownDetailExtents() const;
    const TrackDetails* DetailsOfRow(int row) const;
    void UpdateAllChecked();

    CHeaderCtrlEx* header;
    TrackRecord* rows = nullptr; // borrowed; guarded by g_trackTableLock
    int checked = 0;             // rows whose `checked` word is non-zero
    TrackDetailsLookup detailsLookup;
};
