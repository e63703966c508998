#include "controls/CheckBoxRules.h"

int CheckBoxThemeState(const CheckBoxState& state) {
    const int base = state.checked ? 5 : 1;
    if (state.pressed)
        return base + 2;
    return state.hover ? base + 1 : base;
}

QRect CheckBoxBoxRect(const QRect& item) {
    // Measured from the item's height alone, the way the box was always placed.
    const int top = (item.height() - 15) / 2;
    return QRect(-1, top, 16, 15);
}

QRect CheckBoxTextRect(const QRect& item) {
    return QRect(QPoint(17, item.top()), item.bottomRight());
}

QRect CentredIn(const QRect& rect, const QSize& size) {
    const QSize fitted = size.boundedTo(rect.size());
    return QRect(rect.left() + (rect.width() - fitted.width()) / 2,
                 rect.top() + (rect.height() - fitted.height()) / 2, fitted.width(),
                 fitted.height());
}

QRect ClassicBoxRect(const QRect& box) {
    return CentredIn(box, QSize(kClassicBoxSize, kClassicBoxSize));
}

QList<QPoint> ClassicTickPixels() {
    // The tick sits in the box's white interior (2..10), one pixel in, and
    // is three pixels thick along its two strokes.
    static const char* const kRows[] = {
        "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
    };
    QList<QPoint> pixels;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (kRows[y][x] == '#')
                pixels.append(QPoint(3 + x, 3 + y));
    return pixels;
}
