#include "lists/CListCtrlEx.h"

#include "library/TrackTableLock.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/ListMetrics.h"
#include "lists/TrackCells.h"
#include "lists/TrackColumns.h"
#include "lists/TrackRowPainter.h"

#include <QPainter>

namespace {

// Reads one value from one row under g_trackTableLock, holding it for that
// read only so the copy worker is never kept waiting by drawing.
template <typename Read>
auto ReadLocked(TrackRecord* const& rows, int row, Read read) -> decltype(read(*rows)) {
    std::lock_guard lock(g_trackTableLock);
    if (rows == nullptr)
        return {};
    return read(rows[row]);
}

} // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : COwnerDrawList(new CHeaderCtrlEx, parent),
      header(static_cast<CHeaderCtrlEx*>(horizontalHeader())) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(header, &COwnerDrawHeader::columnClicked, this, &CListCtrlEx::OnColumnClick);
}

void CListCtrlEx::SetRows(TrackRecord* newRows) {
    {
        std::lock_guard lock(g_trackTableLock);
        rows = newRows;
    }
    header->SetSortMarks(SortMarks{});
}

uint32_t CListCtrlEx::GetRowCheck(int row) {
    std::lock_guard lock(g_trackTableLock);
    if (rows == nullptr || row < 0 || row >= itemCount())
        return 0;
    return rows[row].checked;
}

void CListCtrlEx::SetRowCheck(int row, bool check) {
    std::lock_guard lock(g_trackTableLock);
    if (rows == nullptr || row < 0 || row >= itemCount())
        return;
    if ((rows[row].checked != 0) == check)
        return;
    rows[row].checked = check ? 1 : 0;
    checked += check ? 1 : -1;
    UpdateAllChecked();
}

void CListCtrlEx::SetAllRowChecks(bool check) {
    const int count = itemCount();
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr)
            return;
        for (int row = 0; row < count; ++row)
            rows[row].checked = check ? 1 : 0;
    }
    checked = check ? count : 0;
    header->SetAllChecked(check);
    viewport()->update();
}

bool CListCtrlEx::allChecked() const {
    return header->allChecked();
}

void CListCtrlEx::UpdateAllChecked() {
    header->SetAllChecked(checked == itemCount());
}

bool CListCtrlEx::SortByTitle(bool descending) {
    return SortRows(TrackSortKey::Title, descending);
}
bool CListCtrlEx::SortBySize(bool descending) {
    return SortRows(TrackSortKey::Size, descending);
}
bool CListCtrlEx::SortByArtist(bool descending) {
    return SortRows(TrackSortKey::Artist, descending);
}
bool CListCtrlEx::SortByAlbum(bool descending) {
    return SortRows(TrackSortKey::Album, descending);
}
bool CListCtrlEx::SortByGenre(bool descending) {
    return SortRows(TrackSortKey::Genre, descending);
}

bool CListCtrlEx::SortRows(TrackSortKey key, bool descending) {
    const int count = itemCount();
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr)
            return false;
        SortTrackRows(rows, count, key, descending);
    }
    viewport()->update();
    return true;
}

bool CListCtrlEx::SortColumn(int column, bool descending) {
    switch (column) {
    case kColumnName:
        return SortByTitle(descending);
    case kColumnSize:
        return SortBySize(descending);
    case kColumnArtist:
        return SortByArtist(descending);
    case kColumnAlbum:
        return SortByAlbum(descending);
    case kColumnGenre:
        return SortByGenre(descending);
    default:
        return false;
    }
}

bool CListCtrlEx::IsOnCheckCell(QPoint pos) const {
    return model()->columnCount() > kColumnName && rowAt(pos.y()) >= 0 &&
           IsInCheckCell(pos.x(), columnViewportPosition(kColumnName));
}

void CListCtrlEx::OnColumnClick(int column, int x) {
    if (itemCount() <= 0 || column == kColumnNumber)
        return;
    if (column == kColumnName && header->IsOnCheckAllBox(x)) {
        SetAllRowChecks(!header->allChecked());
        return;
    }
    const SortMarks marks = NextSortMarks({header->sortColumn(), header->sortState()}, column);
    header->SetSortMarks(marks);
    SortColumn(column, marks.sortState == kSortDescending);
}

void CListCtrlEx::DisplaySwitchedOff() {
    checked = 0;
    header->SetAllChecked(false);
}

TrackRowState CListCtrlEx::ReadRowState(int row, bool selected) {
    TrackRowState state;
    state.index = row;
    state.selected = selected;
    state.checked = ReadLocked(rows, row, [](const TrackRecord& r) { return r.checked != 0; });
    state.title = ReadLocked(rows, row, [](const TrackRecord& r) { return DeviceText(r.title); });
    state.size = ReadLocked(rows, row, [](const TrackRecord& r) { return SizeText(r.fileSize); });
    state.artist = ReadLocked(rows, row, [](const TrackRecord& r) { return DeviceText(r.artist); });
    state.album = ReadLocked(rows, row, [](const TrackRecord& r) { return DeviceText(r.album); });
    state.genre = ReadLocked(rows, row, [](const TrackRecord& r) { return DeviceText(r.genre); });
    return state;
}

void CListCtrlEx::DrawRow(QPainter& painter, int row, bool selected) {
    if (model()->columnCount() < kTrackColumnCount || row >= itemCount())
        return;
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr)
            return;
    }
    TrackRowPainter rowPainter;
    for (int column = 0; column < kTrackColumnCount; ++column)
        rowPainter.columns[column] =
            QRect(columnViewportPosition(column), 0, columnWidth(column), 0);
    const QRect rowRect = rowPainter.RowRect(rowViewportPosition(row), rowHeight(row));
    rowPainter.paint(painter, rowRect, ReadRowState(row, selected));
}
