#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The no-device window's skin: a grey gradient header band, white below, a
// dark rule under the band and a double rounded border round the window.
struct NodeviceBackground {
    static constexpr int kBandHeight = 35;
    static constexpr QColor kBandTop{198, 198, 198};
    static constexpr QColor kBandBottom{156, 156, 156};
    static constexpr QColor kBody{255, 255, 255};
    static constexpr QColor kLine{108, 109, 111};

    void paint(QPainter& painter, const QRect& client) const;
};
