#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top-left corner that puts a window of `size` with its centre on the
// centre of `owner` (both without any frame: the program's windows have
// none). Halves round towards the owner's top-left corner.
QPoint CentredTopLeft(const QRect& owner, const QSize& size);

// Ties `dialog` to the window of its parent widget as it is shown (called
// from its show event, once its size is final): a transient child, which a
// window manager keeps above its owner, centred over the owner to the pixel. Qt would centre it
// too, but against a frame it guesses when it cannot measure one, which puts it off centre. A
// dialog without a parent is left alone.
//
// This is the one place where the program positions a dialog itself; where
// the desktop does not let clients place their own windows, the centring is
// to be left out here and the desktop's own placement used.
void PlaceOverOwner(QWidget& dialog);
