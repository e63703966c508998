#pragma once

#include <QColor>
#include <QIcon>
#include <QRect>

class QPainter;

// The main window's skin: grey title band, white body, the framed option
// panel under the track list with its header strip and divider, the grey
// bottom band, the double rounded border and the small icon in the corner.
// The controls' rectangles are in client coordinates, as laid out; the panel
// and the divider are placed from them.
struct MainBackground {
    static constexpr QColor kTitleTop{198, 198, 198};
    static constexpr QColor kTitleBottom{156, 156, 156};
    static constexpr QColor kBody{255, 255, 255};
    static constexpr QColor kBottomTop{207, 207, 207};
    static constexpr QColor kBottomBottom{191, 191, 191};
    static constexpr QColor kTitleLine{137, 136, 166};
    static constexpr QColor kPanelFrame{127, 157, 185};
    static constexpr QColor kStripTop{219, 219, 219};
    static constexpr QColor kStripBottom{188, 188, 188};
    static constexpr QColor kStripLine{172, 168, 153};
    static constexpr QColor kDividerDark{150, 150, 150};
    static constexpr QColor kDividerLight{209, 209, 209};
    static constexpr QColor kBorder{0, 0, 0};
    static constexpr int kTitleBandHeight = 50;
    static constexpr int kBodyBandBottom = 155;
    static constexpr int kBottomBandHeight = 40;
    static constexpr int kTitleLineY = 25;
    static constexpr int kTitleLineLeft = 45;
    static constexpr int kTitleLineRightInset = 15;
    static constexpr QPoint kIconAt{5, 7};
    static constexpr int kIconSize = 32;

    QRect trackList;
    QRect playlistPane;
    QRect copyButton;
    QIcon icon; // drawn at kIconSize with its transparency, from its sharpest size

    void paint(QPainter& painter, const QRect& client) const;

    // The option panel's frame: the track list's width, from 4 pixels below
    // the list down to the playlist pane's bottom edge.
    QRect OptionPanel() const;
    // The 19-pixel header strip, 2 pixels inside the panel.
    QRect HeaderStrip() const;
    // The divider column: as far left of Copy to Computer as the button's
    // right edge is from the track list's right edge.
    int DividerX() const;
};
