#pragma once

#include <QRegion>
#include <QSize>

// The rounded outline our frameless windows are clipped to: the client area
// grown by one pixel to the right and bottom, with corner ellipses of
// `cornerEllipse` x `cornerEllipse` pixels.
QRegion RoundedWindowRegion(const QSize& client, int cornerEllipse = 15);
