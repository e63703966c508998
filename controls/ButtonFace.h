#pragma once

#include "controls/ButtonRules.h"

#include <QFont>
#include <QIcon>
#include <QString>

class QPainter;

// Everything one skinned button face shows, as a value: the widget fills it
// in and calls paint(); tests and the gallery call paint() the same way.
// paint() draws the face and caption over whatever the painter already
// holds (the captured parent background).
struct ButtonFace {
    ButtonKind kind = ButtonKind::Float;
    QString caption;
    QFont font;
    QIcon icon; // shown unless hot
    int iconSize = 0;
    QIcon iconHover; // shown while hot and not pressed
    int iconSizeHover = 0;

    void paint(QPainter& painter, const QRect& item, const ButtonState& state) const;
};
