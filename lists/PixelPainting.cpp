#include "lists/PixelPainting.h"

#include <QPainter>
#include <cstdlib>

void FillPixelColumn(QPainter& painter, int x, int top, int bottom, const QColor& color) {
    if (bottom > top)
        painter.fillRect(QRect(x, top, 1, bottom - top), color);
}

void FillPixelSpan(QPainter& painter, int x, int y, int length, const QColor& color) {
    if (length > 0)
        painter.fillRect(QRect(x, y, length, 1), color);
}

void FillThickLine(QPainter& painter, int left, int right, int y, const QColor& color) {
    if (right > left)
        painter.fillRect(QRect(left, y - 1, right - left, 3), color);
}

namespace {

// Rounds numerator / denominator to the nearest integer, halves away from
// zero; denominator is positive.
int RoundedDivide(int numerator, int denominator) {
    const int half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

} // namespace

std::vector<QPoint> LinePixels(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<QPoint> pixels;
    pixels.reserve(static_cast<size_t>(steps));
    for (int step = 0; step < steps; ++step)
        pixels.emplace_back(from.x() + RoundedDivide(dx * step, steps),
                            from.y() + RoundedDivide(dy * step, steps));
    return pixels;
}

void FillPixels(QPainter& painter, const std::vector<QPoint>& pixels, const QColor& color) {
    for (const QPoint& pixel : pixels)
        painter.fillRect(QRect(pixel, QSize(1, 1)), color);
}
