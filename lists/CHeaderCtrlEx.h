#pragma once

#include "lists/COwnerDrawHeader.h"
#include "lists/SortMarks.h"

class QMenu;

// The track list's header: captions, the sort arrow and the check-all box.
// The list writes the marks; the header only reads them when painting. Its
// context menu shows and hides the detail columns.
class CHeaderCtrlEx : public COwnerDrawHeader {
    Q_OBJECT
public:
    explicit CHeaderCtrlEx(QWidget* parent = nullptr);

    int sortColumn() const { return marks.sortColumn; }
    int sortState() const { return marks.sortState; }
    bool allChecked() const { return checkAll; }

    void SetSortMarks(SortMarks newMarks);
    void SetAllChecked(bool checked);

    // True when x (header coordinates) lies on the check-all box at the left
    // of the "Name" section.
    bool IsOnCheckAllBox(int x) const;

    // The menu of the detail columns the model has, each ticked while shown;
    // choosing one emits detailColumnToggled. The caller owns the menu.
    QMenu* DetailColumnMenu(QWidget* parent);

signals:
    void detailColumnToggled(int column, bool shown);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SortMarks marks;
    bool checkAll = false;
};
