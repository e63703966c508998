#include "controls/RoundOutline.h"

#include <QPainter>

#include <algorithm>

namespace {

// Edges past the last pixel, as window rectangles count them.
int EndX(const QRect& rect) {
    return rect.x() + rect.width();
}
int EndY(const QRect& rect) {
    return rect.y() + rect.height();
}

// Whether pixel (x, y) of `rect` lies inside the rectangle rounded with a
// corner ellipse `ellipse` pixels across, judged at the pixel's centre.
bool InsideRounded(const QRect& rect, int ellipse, int x, int y) {
    const double radius = ellipse / 2.0;
    const double left = rect.left() + radius, right = EndX(rect) - radius;
    const double top = rect.top() + radius, bottom = EndY(rect) - radius;
    const double px = x + 0.5, py = y + 0.5;
    const double dx = px < left ? px - left : (px > right ? px - right : 0);
    const double dy = py < top ? py - top : (py > bottom ? py - bottom : 0);
    return dx * dx + dy * dy <= radius * radius;
}

bool OnOutline(const QRect& rect, int ellipse, int x, int y) {
    if (!InsideRounded(rect, ellipse, x, y))
        return false;
    for (QPoint n : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
        if (!rect.contains(n) || !InsideRounded(rect, ellipse, n.x(), n.y()))
            return true;
    }
    return false;
}

} // namespace

void DrawRoundOutline(QPainter& painter, const QRect& rect, int ellipse, QColor color) {
    // Symmetric on all four corners, which Qt's aliased rounded rectangle is
    // not: each corner square is judged pixel by pixel, the edges between
    // them are straight runs on the outermost pixels.
    const int corner = std::min({ellipse, rect.width() / 2, rect.height() / 2});
    for (int cornerX : {rect.left(), EndX(rect) - corner}) {
        for (int cornerY : {rect.top(), EndY(rect) - corner}) {
            for (int y = cornerY; y < cornerY + corner; ++y) {
                for (int x = cornerX; x < cornerX + corner; ++x) {
                    if (OnOutline(rect, ellipse, x, y))
                        painter.fillRect(QRect(x, y, 1, 1), color);
                }
            }
        }
    }
    const int straightWidth = rect.width() - 2 * corner;
    const int straightHeight = rect.height() - 2 * corner;
    painter.fillRect(QRect(rect.left() + corner, rect.top(), straightWidth, 1), color);
    painter.fillRect(QRect(rect.left() + corner, EndY(rect) - 1, straightWidth, 1), color);
    painter.fillRect(QRect(rect.left(), rect.top() + corner, 1, straightHeight), color);
    painter.fillRect(QRect(EndX(rect) - 1, rect.top() + corner, 1, straightHeight), color);
}

QRegion RoundedArea(const QRect& rect, int ellipse) {
    QRegion area;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int inset = 0;
        while (2 * inset < rect.width() && !InsideRounded(rect, ellipse, rect.left() + inset, y))
            ++inset;
        area += QRect(rect.left() + inset, y, rect.width() - 2 * inset, 1);
    }
    return area;
}
