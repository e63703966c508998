#include "support/WindowCorners.h"

namespace {

struct Corner {
    int x0, y0; // the corner pixel
    int dx, dy; // inwards
};

QString At(QPoint p) {
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

} // namespace

QStringList CornerFaults(const QImage& picture, const QRegion& shape, QColor border, int square) {
    const int w = picture.width(), h = picture.height();
    QStringList faults;
    for (const Corner c : {Corner{0, 0, 1, 1}, Corner{w - 1, 0, -1, 1}, Corner{0, h - 1, 1, -1},
                           Corner{w - 1, h - 1, -1, -1}}) {
        const auto point = [&](int along, int across) {
            return QPoint(c.x0 + c.dx * along, c.y0 + c.dy * across);
        };
        for (int line = 0; line < square; ++line) {
            for (bool rows : {true, false}) {
                for (int step = 0; step < square; ++step) {
                    const QPoint p = rows ? point(step, line) : point(line, step);
                    if (!shape.contains(p))
                        continue;
                    if (picture.pixelColor(p) != border)
                        faults << At(p) + " is shown outside the border";
                    break;
                }
            }
            for (int step = 0; step < square; ++step) {
                const QPoint p = point(step, line);
                if (picture.pixelColor(p) == border && !shape.contains(p))
                    faults << At(p) + " of the border is cut away";
            }
        }
    }
    faults.removeDuplicates();
    return faults;
}
