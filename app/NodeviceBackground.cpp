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
    // Filled, not stroked, so that at any scale it covers exactly its row.
    painter.fillRect(QRect(client.left(), client.top() + kBandHeight, client.width(), 1), kLine);
    DrawWindowBorder(painter, client, kLine);
    painter.restore();
}
