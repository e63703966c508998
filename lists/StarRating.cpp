#include "lists/StarRating.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kStarSize = 10; // pixels across; five of them fit the column's width
constexpr int kStarGap = 1;

// A star of unit size, its points on a circle and its inner corners on a
// smaller one, the top point up.
QPolygonF UnitStar() {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 0.5 : 0.2;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(0.5 + radius * std::cos(angle), 0.5 + radius * std::sin(angle));
    }
    return star;
}

} // namespace

void StarRating::paint(QPainter& painter, const QRect& cell, int stars, const QColor& color) {
    stars = std::clamp(stars, 0, 5);
    if (stars == 0)
        return;
    static const QPolygonF unitStar = UnitStar();
    const int width = stars * kStarSize + (stars - 1) * kStarGap;
    const int left = cell.x() + (cell.width() - width) / 2;
    const int top = cell.y() + (cell.height() - kStarSize) / 2;
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (int i = 0; i < stars; ++i) {
        painter.save();
        painter.translate(left + i * (kStarSize + kStarGap), top);
        painter.scale(kStarSize, kStarSize);
        painter.drawPolygon(unitStar);
        painter.restore();
    }
    painter.restore();
}
