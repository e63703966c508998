#pragma once

#include <QRect>

class QPainter;

// The lists' border: a blue-grey outline on the outer edge with a white line
// inside it, both one pixel wide.
struct BorderFrame {
    static void paint(QPainter& painter, const QRect& outer);
};
