#include "controls/ButtonFace.h"

#include "controls/FillGradient.h"
#include "controls/RoundOutline.h"

#include <QPainter>

namespace {

// Every face and border is rounded with a 5 x 5 corner ellipse.
constexpr int kCornerEllipse = 5;

void DrawOutline(QPainter& painter, const QRect& rect, QColor color) {
    DrawRoundOutline(painter, rect, kCornerEllipse, color);
}

void PaintToggledOn(QPainter& painter, const QRect& item) {
    painter.save();
    painter.setClipRegion(RoundedArea(item, kCornerEllipse));
    painter.fillRect(item, Qt::white);
    painter.restore();
    DrawOutline(painter, item, kToggledOnBorder);
}

void PaintGradient(QPainter& painter, const QRect& item, const GradientBands& bands) {
    painter.save();
    painter.setClipRegion(RoundedArea(item, kCornerEllipse));
    FillGradient(painter, QRect(item.left(), item.top(), item.width(), bands.split - item.top()),
                 bands.upperFrom, bands.upperTo);
    FillGradient(painter,
                 QRect(item.left(), bands.split, item.width(), item.bottom() + 1 - bands.split),
                 bands.lowerFrom, bands.lowerTo);
    painter.restore();
    DrawOutline(painter, item.adjusted(1, 1, -1, -1), kFaceHighlight);
    DrawOutline(painter, item, kFaceBorder);
}

} // namespace

void ButtonFace::paint(QPainter& painter, const QRect& item, const ButtonState& state) const {
    const ButtonLook look = LookOf(state);
    painter.save();
    painter.setClipRect(item);
    if (look == ButtonLook::ToggledOn)
        PaintToggledOn(painter, item);
    else if (HasGradientFace(kind, look))
        PaintGradient(painter, item, GradientBandsFor(kind, look, item));

    const bool hoverIcon = ChooseIcon(look) == IconChoice::Hover;
    const QIcon& shown = hoverIcon ? iconHover : icon;
    const int shownSize = shown.isNull() ? 0 : (hoverIcon ? iconSizeHover : iconSize);
    const CaptionPlacement placement = PlaceCaption(kind, look, item, shownSize);
    if (placement.withIcon)
        painter.drawPixmap(placement.iconRect, shown.pixmap(placement.iconRect.size(),
                                                            painter.device()->devicePixelRatioF()));
    painter.setFont(font);
    painter.setPen(CaptionColor(kind, look));
    painter.drawText(placement.textRect,
                     placement.alignment | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    painter.restore();
}
