#pragma once

#include <QRect>
#include <array>

class QPainter;

// The five-row triangle at the right of the sorted column's header section.
struct SortArrow {
    struct Span {
        int x;
        int y;
        int length;
    };
    // The arrow's rows for a section rectangle; sortState 2 points up, 1 down.
    static std::array<Span, 5> Spans(const QRect& section, int sortState);
    // Draws nothing for sortState 0.
    static void paint(QPainter& painter, const QRect& section, int sortState);
};
