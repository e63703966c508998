#pragma once

#include "lists/TrackColumns.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

// What one track row shows, read from the view before drawing starts so that
// drawing never touches the shared rows.
struct TrackRowState {
    int index = 0; // position in the list; decides the number and the alternating fill
    bool selected = false;
    bool checked = false;
    QString title;
    QString size;
    QString artist;
    QString album;
    QString genre;
};

// Draws one track row. `columns` are the six cells' horizontal extents in the
// painter's coordinates; the row rectangle gives the top and height.
struct TrackRowPainter {
    std::array<QRect, kTrackColumnCount> columns; // only x and width are used

    // The full row: from x = 0 to the right edge of the last column.
    QRect RowRect(int top, int height) const;
    void paint(QPainter& painter, const QRect& rowRect, const TrackRowState& state) const;
};
