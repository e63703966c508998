#pragma once

#include "controls/LabelRules.h"

#include <QFont>
#include <QString>

class QPainter;

// What one transparent label shows: its text only, never a background.
struct LabelFace {
    QString text;
    QFont font;
    StaticStyles styles;
    int mode = 0;

    void paint(QPainter& painter, const QRect& client) const;
};
