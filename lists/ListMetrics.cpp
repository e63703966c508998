#include "lists/ListMetrics.h"

#include <QFontMetrics>
#include <algorithm>

int RowHeight(const QFontMetrics& metrics) {
    // Some fonts report a negative leading; a row never gets shorter than the text.
    const int line = metrics.height() + std::max(0, metrics.leading());
    return line * 3 / 2;
}

int HeaderHeight(const QFontMetrics& metrics) {
    return metrics.height() + 8;
}

bool IsInCheckCell(int x, int cellLeft) {
    return x >= cellLeft && x <= cellLeft + kCheckCellWidth;
}
