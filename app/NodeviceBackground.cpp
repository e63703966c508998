#include "app/NodeviceBackground.h"

#include "controls/FillGradient.h"

#include <QPainter>

namespace {

// A rounded rectangle outline as the classic GDI draws one: the pen runs on
// the rectangle's outermost pixels and the corner ellipse is `ellipse` wide.
void DrawRoundOutline(QPainter& painter, const QRect& rect, int ellipse) {
    const qreal radius = ellipse / 2.0;
    painter.drawRoundedRect(QRectF(rect.left(), rect.top(), rect.width() - 1, rect.height() - 1),
                            radius, radius);
}

} // namespace

void NodeviceBackground::paint(QPainter& painter, const QRect& client) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    FillGradient(painter, QRect(client.left(), client.top(), client.width(), kBandHeight), kBandTop,
                 kBandBottom);
    painter.fillRect(QRect(client.left(), client.top() + kBandHeight, client.width(),
                           client.height() - kBandHeight),
                     kBody);
    painter.setPen(QPen(kLine, 1));
    painter.drawLine(client.left(), client.top() + kBandHeight, client.right(),
                     client.top() + kBandHeight);
    painter.setBrush(Qt::NoBrush);
    DrawRoundOutline(painter, client, 15);
    DrawRoundOutline(painter, client, 16);
    painter.restore();
}
