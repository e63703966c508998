#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QStringList>

// Checks a skinned window's four corners against its border. In each corner
// square, the first pixel of the window's shape met from the outside, along
// every row and every column, must be a border pixel (else the window shows
// something outside its border), and every border pixel must be part of the
// shape (else the shape cuts the border away). Returns one line per pixel
// that breaks either rule; empty when the corners are clean.
QStringList CornerFaults(const QImage& picture, const QRegion& shape, QColor border,
                         int square = 16);
