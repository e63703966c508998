#pragma once

#include <QColor>
#include <QRect>
#include <QRegion>
#include <QSize>

class QPainter;

// The one rounded outline of the skinned windows, for both their border and
// their shape, so that the two always agree: the border is two outlines on
// the client area's outermost pixels, with corner ellipses 15 and 16, and
// the window keeps exactly the pixels on and inside it. Nothing outside the
// border shows; none of the border is cut away.
void DrawWindowBorder(QPainter& painter, const QRect& client, QColor color);
QRegion WindowShapeRegion(const QSize& client);
