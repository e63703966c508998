#include "controls/DialogFont.h"

#include <QFontDatabase>

QFont DialogFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}
