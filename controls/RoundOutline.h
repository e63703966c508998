#pragma once

#include <QColor>
#include <QRect>
#include <QRegion>

class QPainter;

// A rounded outline as the classic GDI draws it: on the rectangle's
// outermost pixels, with a corner ellipse `ellipse` pixels across, the same
// on all four corners. The skinned windows draw their border with two of them;
// the buttons draw theirs with a 5-pixel ellipse, which cuts one pixel off
// each corner.
void DrawRoundOutline(QPainter& painter, const QRect& rect, int ellipse, QColor color);

// The pixels on and inside that outline: the clip of a button's gradient
// face and the area its white toggled-on face fills.
QRegion RoundedArea(const QRect& rect, int ellipse);
