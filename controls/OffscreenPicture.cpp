#include "controls/OffscreenPicture.h"

#include <QWidget>

namespace {

// Device pixels of a logical rectangle; at a fractional ratio the edges
// round outward, so no captured row is lost.
QRect DeviceRect(const QRect& area, qreal ratio) {
    return QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio)
        .toAlignedRect();
}

template <typename Picture> Picture SectionOf(const Picture& picture, const QRect& area) {
    Picture section = picture.copy(DeviceRect(area, picture.devicePixelRatio()));
    section.setDevicePixelRatio(picture.devicePixelRatio());
    return section;
}

} // namespace

QPixmap OffscreenPicture(const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap picture(DeviceRect(widget.rect(), ratio).size());
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QPixmap PictureSection(const QPixmap& picture, const QRect& area) {
    return SectionOf(picture, area);
}

QImage PictureSection(const QImage& picture, const QRect& area) {
    return SectionOf(picture, area);
}
