#include "lists/SortArrow.h"

#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/PixelPainting.h"
#include "lists/SortMarks.h"

#include <QPainter>

namespace {

constexpr int kArrowRows = 5;

// Row k of an upward arrow starts `kUpOffsets[k]` pixels left of the right
// edge and is 2k+1 pixels long, capped at the widest row.
constexpr std::array<int, kArrowRows> kUpOffsets{10, 11, 12, 13, 13};
constexpr std::array<int, kArrowRows> kUpLengths{1, 3, 5, 7, 7};

} // namespace

std::array<SortArrow::Span, 5> SortArrow::Spans(const QRect& section, int sortState) {
    const int right = RightEdge(section);
    const int top = section.y() + (section.height() - kArrowRows) / 2;
    std::array<Span, kArrowRows> spans{};
    for (int row = 0; row < kArrowRows; ++row) {
        const int shape = (sortState == kSortAscending) ? row : kArrowRows - 1 - row;
        spans[row] = {right - kUpOffsets[shape], top + row, kUpLengths[shape]};
    }
    return spans;
}

void SortArrow::paint(QPainter& painter, const QRect& section, int sortState) {
    if (sortState != kSortAscending && sortState != kSortDescending)
        return;
    for (const Span& span : Spans(section, sortState))
        FillPixelSpan(painter, span.x, span.y, span.length, ListPalette::kSortArrow);
}
