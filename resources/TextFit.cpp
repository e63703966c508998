#include "resources/TextFit.h"

#include <QFontMetrics>

#include <algorithm>

QRect FitTextInto(const QRect& place, const QFontMetrics& metrics, const QString& text,
                  int rightLimit) {
    QRect fitted = place;
    const int oneLine = metrics.horizontalAdvance(text) + 1;
    fitted.setWidth(
        std::clamp(oneLine, place.width(), std::max(place.width(), rightLimit - place.left() + 1)));
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, fitted.width(), 10000), Qt::TextWordWrap, text);
    fitted.setHeight(std::max(place.height(), needed.height()));
    return fitted;
}
