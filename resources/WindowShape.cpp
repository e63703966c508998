#include "resources/WindowShape.h"

#include <QPainterPath>
#include <QPolygon>

QRegion RoundedWindowRegion(const QSize& client, int cornerEllipse) {
    QPainterPath outline;
    const qreal radius = cornerEllipse / 2.0;
    outline.addRoundedRect(QRectF(0, 0, client.width() + 1, client.height() + 1), radius, radius);
    return QRegion(outline.toFillPolygon().toPolygon());
}
