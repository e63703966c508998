#include "lists/CHeaderCtrlEx.h"

#include "lists/DetailColumns.h"
#include "lists/HeaderPainting.h"
#include "lists/ListMetrics.h"
#include "lists/TrackColumns.h"

#include <QContextMenuEvent>
#include <QMenu>

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

QMenu* CHeaderCtrlEx::DetailColumnMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setAccessibleName(QStringLiteral("Columns"));
    for (int i = 0; i < kDetailColumnCount; ++i) {
        const int column = ModelColumnOf(DetailColumn(i));
        if (column >= count())
            continue;
        QAction* action = menu->addAction(QString::fromUtf8(kDetailColumns[i].caption));
        action->setCheckable(true);
        action->setChecked(!isSectionHidden(column));
        connect(action, &QAction::toggled, this,
                [this, column](bool shown) { emit detailColumnToggled(column, shown); });
    }
    return menu;
}

void CHeaderCtrlEx::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = DetailColumnMenu(this);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
