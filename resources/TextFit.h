#pragma once

#include <QRect>
#include <QString>

class QFontMetrics;

// The templates were measured against the narrow dialog font of another
// platform; the desktop's sans font is wider and would cut a label's text
// off. Returns `place` grown to the right (up to `rightLimit`, inclusive) and
// then downward until `text`, broken at words, fits. Never shrinks.
QRect FitTextInto(const QRect& place, const QFontMetrics& metrics, const QString& text,
                  int rightLimit);
