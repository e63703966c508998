#pragma once

#include <QRect>

class QFontMetrics;

// Sizes shared by the rows, the headers and the owner's hit-testing.
inline constexpr int kCheckCellWidth = 18; // the check box cell at the left of "Name"
inline constexpr int kCheckBoxSize = 10;   // the box drawn inside that cell
inline constexpr int kCaptionIndent = 5;   // header captions start this far into their section
inline constexpr int kPlaylistIndent = 16; // playlists below the device row are indented
inline constexpr int kBorderWidth = 2;     // the outline plus the white line inside it

// One and a half lines of the list's font, so rows breathe a little.
int RowHeight(const QFontMetrics& metrics);
// The header is one line of its font plus a small margin above and below.
int HeaderHeight(const QFontMetrics& metrics);

// True when x lies on a check cell that starts at cellLeft: both ends are
// included, so the cell is kCheckCellWidth + 1 pixels wide for clicks.
bool IsInCheckCell(int x, int cellLeft);

// Right and bottom edges as exclusive coordinates, the way the drawing rules
// are stated (QRect's right() and bottom() are inclusive).
inline int RightEdge(const QRect& rect) {
    return rect.x() + rect.width();
}
inline int BottomEdge(const QRect& rect) {
    return rect.y() + rect.height();
}
