#include "lists/CHeaderCtrlEx.h"

#include "lists/HeaderPainting.h"
#include "lists/ListMetrics.h"
#include "lists/TrackColumns.h"

CHeaderCtrlEx::CHeaderCtrlEx(QWidget* parent) : COwnerDrawHeader(parent) {}

void CHeaderCtrlEx::SetSortMarks(SortMarks newMarks) {
    marks = newMarks;
    viewport()->update();
}

void CHeaderCtrlEx::SetAllChecked(bool checked) {
    if (checkAll == checked)
        return;
    checkAll = checked;
    viewport()->update();
}

bool CHeaderCtrlEx::IsOnCheckAllBox(int x) const {
    return count() > kColumnName && IsInCheckCell(x, SectionRect(kColumnName).x());
}

void CHeaderCtrlEx::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    HeaderSectionState state;
    state.caption =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    state.hasCheckBox = logicalIndex == kColumnName;
    state.checked = checkAll;
    state.sortState = logicalIndex == marks.sortColumn ? marks.sortState : kSortNone;
    HeaderSection::paint(*painter, rect, state);
}
