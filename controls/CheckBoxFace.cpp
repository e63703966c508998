#include "controls/CheckBoxFace.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kTextFlags =
    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;

// The classic sunken box: a grey and white outer edge, a dark and light
// inner edge, a white well and a black tick.
constexpr QColor kShadow{128, 128, 128};
constexpr QColor kHighlight{255, 255, 255};
constexpr QColor kDarkShadow{64, 64, 64};
constexpr QColor kLight{212, 208, 200};
constexpr QColor kWell{255, 255, 255};
constexpr QColor kTick{0, 0, 0};

void DrawClassicCheckBox(QPainter& painter, const QRect& box, bool checked) {
    const QRect square = ClassicBoxRect(box);
    const int n = kClassicBoxSize;
    painter.save();
    painter.translate(square.topLeft());
    painter.fillRect(0, 0, n - 1, 1, kShadow);
    painter.fillRect(0, 0, 1, n - 1, kShadow);
    painter.fillRect(0, n - 1, n, 1, kHighlight);
    painter.fillRect(n - 1, 0, 1, n, kHighlight);
    painter.fillRect(1, 1, n - 3, 1, kDarkShadow);
    painter.fillRect(1, 1, 1, n - 3, kDarkShadow);
    painter.fillRect(1, n - 2, n - 2, 1, kLight);
    painter.fillRect(n - 2, 1, 1, n - 2, kLight);
    painter.fillRect(2, 2, n - 4, n - 4, kWell);
    if (checked)
        for (const QPoint& pixel : ClassicTickPixels())
            painter.fillRect(pixel.x(), pixel.y(), 1, 1, kTick);
    painter.restore();
}

} // namespace

void CheckBoxFace::paint(QPainter& painter, const QRect& item, const CheckBoxState& state) const {
    const QRect box = CheckBoxBoxRect(item);
    const bool themed =
        themes && theme &&
        themes->DrawThemeBackground(theme, painter, BP_CHECKBOX, CheckBoxThemeState(state), box);
    if (!themed)
        DrawClassicCheckBox(painter, box, state.checked);
    painter.save();
    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(CheckBoxTextRect(item), kTextFlags, text);
    painter.restore();
}

QRect CheckBoxFace::focusFrame(const QRect& item) const {
    const QRect drawn = QFontMetrics(font).boundingRect(CheckBoxTextRect(item), kTextFlags, text);
    return drawn.adjusted(-1, -1, 1, 1) & item;
}
