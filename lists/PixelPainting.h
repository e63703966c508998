#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <vector>

class QPainter;

// Pixel-exact primitives. The rules are stated in whole pixels, so these fill
// pixels instead of stroking pens, which Qt would centre between pixels.

// The pixel column x from top to bottom (bottom excluded).
void FillPixelColumn(QPainter& painter, int x, int top, int bottom, const QColor& color);
// A horizontal span of `length` pixels starting at (x, y).
void FillPixelSpan(QPainter& painter, int x, int y, int length, const QColor& color);
// A 3-pixel-thick horizontal line centred on row y, from left to right (excluded).
void FillThickLine(QPainter& painter, int left, int right, int y, const QColor& color);

// The pixels of a 1-pixel line from `from` towards `to`, the end point not included.
std::vector<QPoint> LinePixels(QPoint from, QPoint to);
void FillPixels(QPainter& painter, const std::vector<QPoint>& pixels, const QColor& color);
