#include "controls/FillGradient.h"

#include <QPainter>

namespace {

int Channel(int from, int to, int row, int height) {
    return from + (to - from) * row / height;
}

} // namespace

QColor GradientRowColor(QColor from, QColor to, int row, int height) {
    return QColor(Channel(from.red(), to.red(), row, height),
                  Channel(from.green(), to.green(), row, height),
                  Channel(from.blue(), to.blue(), row, height));
}

void FillGradient(QPainter& painter, const QRect& rect, QColor from, QColor to) {
    const int height = rect.height();
    for (int row = 0; row < height; ++row)
        painter.fillRect(QRect(rect.left(), rect.top() + row, rect.width(), 2),
                         GradientRowColor(from, to, row, height));
}
