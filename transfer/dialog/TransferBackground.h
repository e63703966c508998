#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The transfer dialog's skin: a 10-pixel darker band at the top over a flat
// light grey. Painted off-screen and handed to the button as its backdrop.
struct TransferBackground {
    static constexpr int kBandHeight = 10;
    static constexpr QColor kBandTop{198, 198, 198};
    static constexpr QColor kBandBottom{156, 156, 156};
    static constexpr QColor kBody{218, 218, 218};

    void paint(QPainter& painter, const QRect& client) const;
};
