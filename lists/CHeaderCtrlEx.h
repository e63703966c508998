#pragma once

#include "lists/COwnerDrawHeader.h"
#include "lists/SortMarks.h"

// The track list's header: captions, the sort arrow and the check-all box.
// The list writes the marks; the header only reads them when painting.
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

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    SortMarks marks;
    bool checkAll = false;
};
