#pragma once

#include <QRect>
#include <QString>

class QPainter;

// What one playlist pane row shows. Row 0 stands for the whole device.
struct PlaylistRowState {
    int index = 0;
    bool selected = false;
    QString name;
};

struct PlaylistRowPainter {
    static void paint(QPainter& painter, const QRect& rowRect, const PlaylistRowState& state);
};
