#include "transfer/dialog/TransferBackground.h"

#include "controls/FillGradient.h"

#include <QPainter>

void TransferBackground::paint(QPainter& painter, const QRect& client) const {
    FillGradient(painter, QRect(client.left(), client.top(), client.width(), kBandHeight), kBandTop,
                 kBandBottom);
    FillGradient(painter,
                 QRect(client.left(), client.top() + kBandHeight, client.width(),
                       client.height() - kBandHeight),
                 kBody, kBody);
}
