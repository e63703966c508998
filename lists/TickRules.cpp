#include "lists/TickRules.h"

#include <algorithm>

std::vector<RowSpan> SpaceRows(std::vector<RowSpan> selected, int current, int rowCount) {
    if (selected.empty() && current >= 0)
        selected.push_back({current, current});
    std::vector<RowSpan> rows;
    for (RowSpan span : selected) {
        span.first = std::max(span.first, 0);
        span.last = std::min(span.last, rowCount - 1);
        if (span.first <= span.last)
            rows.push_back(span);
    }
    std::sort(rows.begin(), rows.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.first < b.first; });
    std::vector<RowSpan> merged;
    for (const RowSpan& span : rows) {
        if (!merged.empty() && span.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, span.last);
        else
            merged.push_back(span);
    }
    return merged;
}

bool SpaceTick(const TrackRecord* rows, const std::vector<RowSpan>& spans) {
    for (const RowSpan& span : spans)
        for (int row = span.first; row <= span.last; ++row)
            if (rows[row].checked == 0)
                return true;
    return false;
}

int SetTicks(TrackRecord* rows, const std::vector<RowSpan>& spans, bool tick) {
    int change = 0;
    for (const RowSpan& span : spans) {
        for (int row = span.first; row <= span.last; ++row) {
            if ((rows[row].checked != 0) != tick)
                change += tick ? 1 : -1;
            rows[row].checked = tick ? 1 : 0;
        }
    }
    return change;
}
