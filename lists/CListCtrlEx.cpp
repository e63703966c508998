#include "lists/CListCtrlEx.h"

#include "library/TrackTableLock.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/DetailCells.h"
#include "lists/ListMetrics.h"
#include "lists/TickAnnouncement.h"
#include "lists/TrackCells.h"
#include "lists/TrackColumns.h"
#include "lists/TrackRowPainter.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

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
    setAccessibleName(QStringLiteral("Tracks"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(header, &COwnerDrawHeader::columnClicked, this, &CListCtrlEx::OnColumnClick);
    connect(header, &CHeaderCtrlEx::detailColumnToggled, this, [this](int column, bool shown) {
        setColumnHidden(column, !shown);
        emit detailColumnsChanged();
    });
}

void CListCtrlEx::InsertDetailColumns() {
    for (int i = 0; i < kDetailColumnCount; ++i) {
        const auto column = static_cast<DetailColumn>(i);
        InsertColumn(ModelColumnOf(column), QString::fromUtf8(SpecOf(column).caption),
                     SpecOf(column).width);
        setColumnHidden(ModelColumnOf(column), true);
    }
}

void CListCtrlEx::SetDetailsLookup(TrackDetailsLookup lookup) {
    detailsLookup = std::move(lookup);
    viewport()->update();
}

void CListCtrlEx::ShowDetailColumns(const DetailColumnSet& shown) {
    for (int i = 0; i < kDetailColumnCount; ++i)
        if (ModelColumnOf(DetailColumn(i)) < model()->columnCount())
            setColumnHidden(ModelColumnOf(DetailColumn(i)), !shown.test(size_t(i)));
}

DetailColumnSet CListCtrlEx::ShownDetailColumns() const {
    DetailColumnSet shown;
    for (int i = 0; i < kDetailColumnCount; ++i) {
        const int column = ModelColumnOf(DetailColumn(i));
        shown.set(size_t(i), column < model()->columnCount() && !isColumnHidden(column));
    }
    return shown;
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
    if (row >= 0 && row < itemCount())
        SetTicksOf({{row, row}}, check);
}

void CListCtrlEx::SetAllRowChecks(bool check) {
    const int count = itemCount();
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr || count <= 0)
            return;
        SetTicks(rows, {{0, count - 1}}, check);
    }
    checked = check ? count : 0;
    header->SetAllChecked(check);
    CellsChanged(0, count - 1, {Qt::CheckStateRole});
}

void CListCtrlEx::ToggleSelectedChecks() {
    const std::vector<RowSpan> spans = SpaceRows(SelectedRows(), currentIndex().row(), itemCount());
    bool tick = false;
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr || spans.empty())
            return;
        tick = SpaceTick(rows, spans);
    }
    SetTicksOf(spans, tick);
}

void CListCtrlEx::SetTicksOf(const std::vector<RowSpan>& spans, bool tick) {
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr)
            return;
        const int change = SetTicks(rows, spans, tick);
        if (change == 0)
            return;
        checked += change;
        UpdateAllChecked();
    }
    for (const RowSpan& span : spans)
        CellsChanged(span.first, span.last, {Qt::CheckStateRole});
    const int current = currentIndex().row();
    if (std::any_of(spans.begin(), spans.end(), [current](const RowSpan& span) {
            return current >= span.first && current <= span.last;
        }))
        AnnounceTickChange(*this, currentIndex());
}

std::vector<RowSpan> CListCtrlEx::SelectedRows() const {
    std::vector<RowSpan> spans;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        spans.push_back({range.top(), range.bottom()});
    return spans;
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

bool CListCtrlEx::SortByDetail(DetailColumn column, bool descending) {
    return SortRowsWith([&](TrackRecord* table, int count) {
        SortTrackRowsByDetail(table, count, column, descending, detailsLookup);
    });
}

bool CListCtrlEx::SortRows(TrackSortKey key, bool descending) {
    return SortRowsWith(
        [&](TrackRecord* table, int count) { SortTrackRows(table, count, key, descending); });
}

template <typename Sort> bool CListCtrlEx::SortRowsWith(Sort sort) {
    const int count = itemCount();
    {
        std::lock_guard lock(g_trackTableLock);
        if (rows == nullptr)
            return false;
        sort(rows, count);
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
        if (const std::optional<DetailColumn> detail = DetailColumnAt(column))
            return SortByDetail(*detail, descending);
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
    // Every row may now hold another track: what screen readers were told
    // about the cells is out of date.
    if (SortColumn(column, marks.sortState == kSortDescending))
        CellsChanged(0, itemCount() - 1, {});
}

void CListCtrlEx::DisplaySwitchedOff() {
    checked = 0;
    header->SetAllChecked(false);
}

const TrackDetails* CListCtrlEx::DetailsOfRow(int row) const {
    if (!detailsLookup)
        return nullptr;
    return ReadLocked(rows, row, [this](const TrackRecord& r) { return detailsLookup(r); });
}

std::vector<ShownDetailColumn> CListCtrlEx::ShownDetailExtents() const {
    const DetailColumnSet set = ShownDetailColumns();
    std::vector<ShownDetailColumn> shown;
    for (int i = 0; i < kDetailColumnCount; ++i) {
        const int column = ModelColumnOf(DetailColumn(i));
        if (set.test(size_t(i)))
            shown.push_back({DetailColumn(i),
                             QRect(columnViewportPosition(column), 0, columnWidth(column), 0)});
    }
    return shown;
}

TrackRowState CListCtrlEx::ReadRowState(int row, bool selected,
                                        const std::vector<ShownDetailColumn>& details) {
    TrackRowState state;
    state.index = row;
    state.selected = selected;
    state.checked = ReadLocked(rows, row, [](const TrackRecord& r) { return r.checked != 0; });
    state.title = CellText(row, kColumnName);
    state.size = CellText(row, kColumnSize);
    state.artist = CellText(row, kColumnArtist);
    state.album = CellText(row, kColumnAlbum);
    state.genre = CellText(row, kColumnGenre);
    if (details.empty())
        return state;
    const TrackDetails* found = DetailsOfRow(row);
    for (const ShownDetailColumn& shown : details)
        state.detailTexts.push_back(DetailCellText(found, shown.column));
    state.stars = StarCount(DetailValue(found, DetailColumn::Rating).value_or(0));
    return state;
}

QString CListCtrlEx::CellText(int row, int column) const {
    if (row < 0 || row >= itemCount())
        return {};
    if (column == kColumnNumber)
        return RowNumberText(row);
    if (const std::optional<DetailColumn> detail = DetailColumnAt(column))
        return DetailCellText(DetailsOfRow(row), *detail);
    return ReadLocked(rows, row, [column](const TrackRecord& r) { return CellTextOf(r, column); });
}

std::optional<bool> CListCtrlEx::RowTick(int row) const {
    if (row < 0 || row >= itemCount())
        return std::nullopt;
    return ReadLocked(rows, row,
                      [](const TrackRecord& r) { return std::optional<bool>(r.checked != 0); });
}

bool CListCtrlEx::HandleKey(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Space || event.modifiers() != Qt::NoModifier)
        return false;
    ToggleSelectedChecks();
    return true;
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
    rowPainter.details = ShownDetailExtents();
    const QRect rowRect = rowPainter.RowRect(rowViewportPosition(row), rowHeight(row));
    rowPainter.paint(painter, rowRect, ReadRowState(row, selected, rowPainter.details));
}
