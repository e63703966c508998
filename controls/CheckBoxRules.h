#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Layout and state rules of the transparent check box.

struct CheckBoxState {
    bool checked = false; // m_bChecked
    bool pressed = false; // held down
    bool hover = false;   // m_bHover
};

// Theme states of the check-box part: 1 to 3 unchecked normal, hot and
// pressed, 5 to 7 the same checked. Pressed wins over hot.
int CheckBoxThemeState(const CheckBoxState& state);

// The box: 16 x 15, from one pixel left of the control, centred vertically.
QRect CheckBoxBoxRect(const QRect& item);
// The text: from two pixels right of the box to the item's right edge.
QRect CheckBoxTextRect(const QRect& item);

// A box of `size` centred in `rect`, the way a themed check box is drawn at
// its own size rather than stretched; never larger than `rect`. Halves round
// towards the top-left corner.
QRect CentredIn(const QRect& rect, const QSize& size);

// The classic look: a sunken 13 x 13 box centred in the box rectangle, with
// a 7 x 7 tick of its own.
inline constexpr int kClassicBoxSize = 13;
QRect ClassicBoxRect(const QRect& box);
// The tick's pixels, relative to the 13 x 13 box's top-left corner.
QList<QPoint> ClassicTickPixels();
