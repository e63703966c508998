#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The vertical two-colour fill of every skinned surface. Row i of a band of
// height h gets from + (to - from) * i / h per channel, with C++'s signed
// division truncating toward zero. Each row is painted two pixels high, so
// consecutive rows overlap by one and the last spills one row below the rect;
// a later band or a clip covers it. Nothing is drawn when h <= 0.
QColor GradientRowColor(QColor from, QColor to, int row, int height);
void FillGradient(QPainter& painter, const QRect& rect, QColor from, QColor to);
