#include "lists/SortMarks.h"

SortMarks NextSortMarks(SortMarks marks, int column) {
    if (column != marks.sortColumn)
        marks = SortMarks{column, kSortNone};
    marks.sortState = (marks.sortState == kSortAscending) ? kSortDescending : kSortAscending;
    return marks;
}
