#include "lists/CheckGlyph.h"

#include "controls/FillGradient.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/PixelPainting.h"

#include <QPainter>

QPoint CheckGlyph::BoxOrigin(const QRect& cell) {
    return {cell.x() + 4, cell.y() + (cell.height() - kCheckBoxSize) / 2};
}

std::vector<QPoint> CheckGlyph::TickPixels(QPoint origin) {
    const QPoint start = origin + QPoint(2, 4);
    const QPoint bend = origin + QPoint(5, 7);
    const QPoint end = origin + QPoint(9, -2);
    std::vector<QPoint> pixels = LinePixels(start, bend);
    const std::vector<QPoint> rise = LinePixels(bend, end);
    pixels.insert(pixels.end(), rise.begin(), rise.end());
    return pixels;
}

void CheckGlyph::paint(QPainter& painter, const QRect& cell, bool checked) {
    using namespace ListPalette;
    const QPoint o = BoxOrigin(cell);
    const int x = o.x();
    const int y = o.y();
    const int last = kCheckBoxSize - 1;
    FillPixelSpan(painter, x, y, kCheckBoxSize, kCheckOutline);
    FillPixelSpan(painter, x, y + last, kCheckBoxSize, kCheckOutline);
    FillPixelColumn(painter, x, y, y + kCheckBoxSize, kCheckOutline);
    FillPixelColumn(painter, x + last, y, y + kCheckBoxSize, kCheckOutline);
    if (checked) {
        FillGradient(painter, QRect(x + 1, y + 1, 8, 7), kCheckedFrom, kCheckedTo);
        FillPixels(painter, TickPixels(o), kCheckTick);
    } else {
        FillGradient(painter, QRect(x + 1, y + 1, 8, 3), kUncheckedTop, kUncheckedMiddle);
        FillGradient(painter, QRect(x + 1, y + 4, 8, 4), kUncheckedMiddle, kUncheckedBottom);
    }
}
