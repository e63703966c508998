#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class QPainter;

// The check box of a row and of the header's check-all box: a 10-pixel box
// with a soft gradient, and a tick that rises above the box when checked.
struct CheckGlyph {
    // Top-left corner of the box inside a cell kCheckCellWidth wide.
    static QPoint BoxOrigin(const QRect& cell);
    // The tick's pixels for a box at `origin`.
    static std::vector<QPoint> TickPixels(QPoint origin);
    static void paint(QPainter& painter, const QRect& cell, bool checked);
};
