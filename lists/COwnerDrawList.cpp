#include "lists/COwnerDrawList.h"

#include "lists/BorderFrame.h"
#include "lists/COwnerDrawHeader.h"
#include "lists/FocusFrame.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/VirtualRowModel.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

COwnerDrawList::COwnerDrawList(COwnerDrawHeader* header, QWidget* parent)
    : QTableView(parent), rowModel(new VirtualRowModel(*this, this)) {
    setModel(rowModel);
    setHorizontalHeader(header);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab leaves the list for the window's next control; arrows move between rows.
    setTabKeyNavigation(false);
    // The frame only reserves the border's room; event() paints the border.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
}

void COwnerDrawList::PlaceAt(QWidget* parent, const QRect& rect) {
    setParent(parent);
    setGeometry(rect);
    show();
}

void COwnerDrawList::InsertColumn(int index, const QString& caption, int width) {
    rowModel->InsertColumn(index, caption);
    horizontalHeader()->resizeSection(index, width);
}

void COwnerDrawList::InitHeader() {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight(fontMetrics()));
    horizontalHeader()->updateGeometry();
    updateGeometries();
}

void COwnerDrawList::SetItemCount(int count) {
    rowCount = std::max(0, count);
    pressedRow = -1;
    rowModel->SetRowCount(rowCount);
}

void COwnerDrawList::SetDisplay(int on) {
    {
        std::lock_guard lock(displayLock);
        displayOn = on;
        if (on != 1)
            DisplaySwitchedOff();
    }
    viewport()->update();
}

QRect COwnerDrawList::CellRect(int row, int column) const {
    return QRect(columnViewportPosition(column), rowViewportPosition(row), columnWidth(column),
                 rowHeight(row));
}

QRect COwnerDrawList::RowRect(int row) const {
    return CellRect(row, 0).united(CellRect(row, std::max(0, model()->columnCount() - 1)));
}

void COwnerDrawList::CellsChanged(int first, int last, const QList<int>& roles) {
    rowModel->RowsChanged(first, last, roles);
}

// Paint events of the list itself (not of its viewport) cover the frame;
// the border goes over whatever the style drew there.
bool COwnerDrawList::event(QEvent* event) {
    const bool handled = QTableView::event(event);
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        BorderFrame::paint(painter, rect());
    }
    return handled;
}

void COwnerDrawList::paintEvent(QPaintEvent* event) {
    const QRect exposed = event->rect();
    QPainter painter(viewport());
    painter.setFont(font());
    painter.fillRect(exposed, ListPalette::kListBackground);
    if (rowCount == 0)
        return;
    const int first = rowAt(exposed.top());
    if (first < 0)
        return;
    int last = rowAt(exposed.bottom());
    if (last < 0)
        last = rowCount - 1;
    const QItemSelectionModel* selection = selectionModel();
    for (int row = first; row <= last; ++row) {
        std::lock_guard lock(displayLock);
        if (displayOn != 1)
            return;
        DrawRow(painter, row, selection->isRowSelected(row, {}));
    }
    PaintFocusFrame(painter, first, last);
}

void COwnerDrawList::PaintFocusFrame(QPainter& painter, int firstRow, int lastRow) {
    const int row = currentIndex().row();
    if (!focusCue.shown() || !hasFocus() || row < firstRow || row > lastRow)
        return;
    std::lock_guard lock(displayLock);
    if (displayOn != 1)
        return;
    const bool selected = selectionModel()->isRowSelected(row, {});
    FocusFrame::paint(painter, RowRect(row), *this,
                      selected ? ListPalette::kSelectedFill : ListPalette::kListBackground);
}

void COwnerDrawList::mousePressEvent(QMouseEvent* event) {
    if (focusCue.shown())
        viewport()->update();
    focusCue.MousePressed();
    pressedRow = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint().y()) : -1;
    QTableView::mousePressEvent(event);
}

void COwnerDrawList::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y());
    const bool clicked = event->button() == Qt::LeftButton && row >= 0 && row == pressedRow;
    pressedRow = -1;
    QTableView::mouseReleaseEvent(event);
    if (clicked)
        emit rowClicked(row, pos);
}

void COwnerDrawList::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click on the same row is a double click, not another click;
    // on another row the base class turns it back into a press.
    pressedRow = -1;
    QTableView::mouseDoubleClickEvent(event);
}

void COwnerDrawList::keyPressEvent(QKeyEvent* event) {
    if (!focusCue.shown())
        viewport()->update();
    focusCue.KeyPressed();
    if (!HandleKey(*event))
        QTableView::keyPressEvent(event);
}

void COwnerDrawList::focusInEvent(QFocusEvent* event) {
    focusCue.FocusArrived(event->reason());
    QTableView::focusInEvent(event);
    viewport()->update();
}

void COwnerDrawList::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

// The base class repaints only the current cell; the frame goes round the
// whole row.
void COwnerDrawList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (previous.isValid())
        viewport()->update(RowRect(previous.row()));
    if (current.isValid())
        viewport()->update(RowRect(current.row()));
}
