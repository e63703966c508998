#include "controls/WindowOutline.h"

#include "controls/RoundOutline.h"

namespace {

constexpr int kOuterEllipse = 15;
constexpr int kInnerEllipse = 16;

} // namespace

void DrawWindowBorder(QPainter& painter, const QRect& client, QColor color) {
    DrawRoundOutline(painter, client, kOuterEllipse, color);
    DrawRoundOutline(painter, client, kInnerEllipse, color);
}

QRegion WindowShapeRegion(const QSize& client) {
    const QRect rect(QPoint(0, 0), client);
    return RoundedArea(rect, kOuterEllipse).united(RoundedArea(rect, kInnerEllipse));
}
