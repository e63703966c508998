#include "controls/RoundRect.h"

QRegion RoundRectArea(const QRect& rect) {
    // Three overlapping bands: full height minus two corner rows, then the
    // rows one and two pixels from the edge, each a little narrower.
    QRegion area;
    for (int inset = 0; inset <= 2; ++inset) {
        const QRect band = rect.adjusted(inset, 2 - inset, -inset, inset - 2);
        if (band.isValid())
            area += band;
    }
    return area;
}

QList<QRect> RoundRectOutline(const QRect& rect) {
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    const QRect candidates[] = {
        QRect(QPoint(l + 2, t), QPoint(r - 2, t)), // top edge
        QRect(QPoint(l + 2, b), QPoint(r - 2, b)), // bottom edge
        QRect(QPoint(l, t + 2), QPoint(l, b - 2)), // left edge
        QRect(QPoint(r, t + 2), QPoint(r, b - 2)), // right edge
        QRect(l + 1, t + 1, 1, 1),                 // corners
        QRect(r - 1, t + 1, 1, 1),
        QRect(l + 1, b - 1, 1, 1),
        QRect(r - 1, b - 1, 1, 1),
    };
    QList<QRect> outline;
    for (const QRect& piece : candidates)
        if (piece.isValid() && rect.contains(piece))
            outline.append(piece);
    return outline;
}
