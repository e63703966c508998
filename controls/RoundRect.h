#pragma once

#include <QList>
#include <QRect>
#include <QRegion>

// The small rounded rectangle every skinned button is built from: a 5 x 5
// corner ellipse, which on a pixel grid cuts two pixels off each corner row
// and column. Both shapes cover exactly the pixels of `rect` (right and bottom
// edges are rect.right() and rect.bottom(), inclusive).

// The pixels inside the rounded outline, outline included: the clip of the
// gradient face and the area the white toggled-on face fills.
QRegion RoundRectArea(const QRect& rect);

// The one-pixel outline as rectangles to fill: four straight edges and the
// four diagonal corner pixels. Degenerate pieces of a tiny rect are left out.
QList<QRect> RoundRectOutline(const QRect& rect);
