#pragma once

#include "lists/CellSource.h"
#include "lists/FocusCue.h"

#include <QTableView>
#include <mutex>

class COwnerDrawHeader;
class VirtualRowModel;

// The machinery both lists share: a virtual table that holds no items (the
// owner sets the row count and hands over its rows), draws only the rows in
// view through DrawRow, paints its own border, and reports clicks on rows.
// Its cells answer screen readers through the model (see CellSource), and
// its current row shows a focus frame while the keyboard is in use.
class COwnerDrawList : public QTableView, public CellSource {
    Q_OBJECT
public:
    // Puts the list into `parent` at `rect` (pixels) and shows it.
    void PlaceAt(QWidget* parent, const QRect& rect);

    // The owner inserts the columns, then calls InitHeader once.
    void InsertColumn(int index, const QString& caption, int width);
    // Takes the row height and the header height from the list's font.
    void InitHeader();

    // The number of rows the owner's table has; 0 empties the list.
    void SetItemCount(int count);
    int itemCount() const { return rowCount; }

    // Rows are drawn only while the display is on, so the owner can swap the
    // table underneath with the display off.
    void SetDisplay(int on);

    // The rectangle of a cell, and of a whole row, in viewport coordinates.
    QRect CellRect(int row, int column) const;
    QRect RowRect(int row) const;

signals:
    // The left button was pressed and released on the same row; pos is in
    // viewport coordinates. The owner decides what a click means.
    void rowClicked(int row, QPoint pos);

protected:
    COwnerDrawList(COwnerDrawHeader* header, QWidget* parent);

    // Draws row `row` into `painter` (viewport coordinates). Called with
    // displayLock held and only while the display is on.
    virtual void DrawRow(QPainter& painter, int row, bool selected) = 0;
    // Called under displayLock when the display is turned off.
    virtual void DisplaySwitchedOff() {}
    // A key the list handles itself rather than the view; true when done.
    virtual bool HandleKey(const QKeyEvent&) { return false; }
    // Tells the view, and through it screen readers, that `roles` of rows
    // first to last changed.
    void CellsChanged(int first, int last, const QList<int>& roles);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

    std::mutex displayLock; // guards displayOn; held while rows are drawn

private:
    void PaintFocusFrame(QPainter& painter, int firstRow, int lastRow);

    VirtualRowModel* rowModel;
    FocusCue focusCue;
    int displayOn = 0;
    int rowCount = 0;
    int pressedRow = -1;
};
