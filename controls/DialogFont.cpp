#include "controls/DialogFont.h"

#include <QFontDatabase>

QFont DialogFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    // The window layouts were measured in a narrower face than the usual Linux
    // desktop font; its semi-condensed cut keeps every caption inside its control.
    font.setStretch(QFont::SemiCondensed);
    return font;
}
