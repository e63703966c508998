#pragma once

// What the track list's header shows about the last sort.
enum SortState : int {
    kSortNone = 0,       // not sorted since the rows were handed over; no arrow
    kSortDescending = 1, // arrow pointing down
    kSortAscending = 2,  // arrow pointing up
};

struct SortMarks {
    int sortColumn = 1;
    int sortState = kSortNone;

    bool operator==(const SortMarks&) const = default;
};

// The marks after a click on a sortable column: a new column starts
// ascending, the same column alternates between ascending and descending.
SortMarks NextSortMarks(SortMarks marks, int column);
