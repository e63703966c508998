#pragma once

#include "controls/CheckBoxRules.h"
#include "controls/ThemeLoader.h"

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

// What one transparent check box shows: a bare box and its text, nothing
// behind them. With a loader whose themes are available and an open theme,
// the box is the style's check-box indicator; otherwise the classic box.
struct CheckBoxFace {
    QString text;
    QFont font;
    QColor textColor = Qt::black;
    const CThemeLoader* themes = nullptr;
    ThemeHandle theme = nullptr;

    void paint(QPainter& painter, const QRect& item, const CheckBoxState& state) const;
    // Where the keyboard's focus frame goes: one pixel around the text as
    // drawn, never outside the item.
    QRect focusFrame(const QRect& item) const;
};
