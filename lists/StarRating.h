#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// A rating drawn as a row of filled five-pointed stars, centred in its cell.
struct StarRating {
    static void paint(QPainter& painter, const QRect& cell, int stars, const QColor& color);
};
