#include "lists/BorderFrame.h"

#include "lists/ListPalette.h"

#include <QPainter>

namespace {

// One-pixel ring along the inside of `rect`; the inside is left alone, since
// the list's viewport and header cover it.
void FillRing(QPainter& painter, const QRect& rect, const QColor& color) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(QRect(rect.x(), rect.y(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.x(), rect.bottom(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.x(), rect.y(), 1, rect.height()), color);
    painter.fillRect(QRect(rect.right(), rect.y(), 1, rect.height()), color);
}

} // namespace

void BorderFrame::paint(QPainter& painter, const QRect& outer) {
    FillRing(painter, outer, ListPalette::kBorderOutline);
    FillRing(painter, outer.adjusted(1, 1, -1, -1), ListPalette::kBorderInner);
}
