#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// A rounded outline as the classic GDI draws it: on the rectangle's
// outermost pixels, with a corner ellipse `ellipse` pixels across, the same
// on all four corners. The skinned windows draw their border with two of them.
void DrawRoundOutline(QPainter& painter, const QRect& rect, int ellipse, QColor color);
