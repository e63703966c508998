#pragma once

#include "library/TrackRecord.h"

#include <vector>

// Rows from `first` to `last`, both included.
struct RowSpan {
    int first = 0;
    int last = 0;
};

// The rows one press of Space acts on: the selected ones, or the current row
// when nothing is selected. Sorted, merged, and cut to the `rowCount` rows
// there are; empty when there is nothing to act on.
std::vector<RowSpan> SpaceRows(std::vector<RowSpan> selected, int current, int rowCount);

// The one tick Space gives all of `spans` together: off when every one of
// them is ticked already, on otherwise, so that a mixed selection ends up
// all ticked rather than each row flipped.
bool SpaceTick(const TrackRecord* rows, const std::vector<RowSpan>& spans);

// Sets the `checked` word of every row in `spans` and returns how the
// number of checked rows changed: rows that already had the tick count for
// nothing.
int SetTicks(TrackRecord* rows, const std::vector<RowSpan>& spans, bool tick);
