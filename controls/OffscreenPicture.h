#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>

class QWidget;

// The off-screen picture a double-buffered paint composes `widget` in: as
// many device pixels as the widget covers on its screen (twice its size at a
// 200% scale), so that copying it to the screen scales nothing. Painters on
// it still draw in the widget's own pixels, and the skins' pixel rules come
// out the same at every scale, each pixel as a square of device pixels.
QPixmap OffscreenPicture(const QWidget& widget);

// The part of `picture` under `area`, given in the picture's own (logical)
// pixels, at the picture's device pixel ratio.
QPixmap PictureSection(const QPixmap& picture, const QRect& area);
QImage PictureSection(const QImage& picture, const QRect& area);
