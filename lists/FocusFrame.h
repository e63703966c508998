#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

// The frame the desktop style draws inside a view's current item when the
// keyboard has the focus there; `background` is the row's fill, which some
// styles use to pick a frame colour that shows on it.
struct FocusFrame {
    static void paint(QPainter& painter, const QRect& rowRect, const QWidget& view,
                      QColor background);
};
