#pragma once

#include "lists/DetailColumns.h"
#include "lists/TrackColumns.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

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
    // One per shown detail column, in the painter's `details` order; a
    // rating is drawn from `stars` rather than from its text.
    std::vector<QString> detailTexts;
    int stars = 0;
};

// A shown detail column and its horizontal extent.
struct ShownDetailColumn {
    DetailColumn column;
    QRect extent; // only x and width are used
};

// Draws one track row. `columns` are the six cells' horizontal extents in the
// painter's coordinates, `details` the shown detail columns' after them; the
// row rectangle gives the top and height.
struct TrackRowPainter {
    std::array<QRect, kTrackColumnCount> columns; // only x and width are used
    std::vector<ShownDetailColumn> details;

    // The full row: from x = 0 to the right edge of the last shown column.
    QRect RowRect(int top, int height) const;
    void paint(QPainter& painter, const QRect& rowRect, const TrackRowState& state) const;

private:
    void PaintDetails(QPainter& painter, int top, int height, const TrackRowState& state) const;
};
