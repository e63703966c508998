#pragma once

#include <QString>
#include <optional>

// What a list's cells say to whoever asks through its model rather than by
// looking: a screen reader, or the view's own type-ahead search. The list
// reads its owner's table for it, under the same locks as its drawing.
class CellSource {
public:
    // The text the cell shows; empty outside the rows.
    virtual QString CellText(int row, int column) const = 0;
    // The row's tick, or nothing for a list whose rows have none.
    virtual std::optional<bool> RowTick(int row) const = 0;

protected:
    ~CellSource() = default;
};
