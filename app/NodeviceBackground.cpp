#include "app/NodeviceBackground.h"

#include "controls/FillGradient.h"
#include "controls/WindowOutline.h"

#include <QPainter>

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
    DrawWindowBorder(painter, client, kLine);
    painter.restore();
}
