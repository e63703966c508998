#include "lists/TrackCells.h"

QString RowNumberText(int rowIndex) {
    return QString::number(static_cast<qint64>(rowIndex) + 1);
}

QString SizeText(uint32_t fileSize) {
    // 'f' with a fixed precision never switches to exponent notation and
    // always uses '.', whatever the user's locale.
    return QString::number(static_cast<double>(fileSize) / 1048576.0, 'f', 2) +
           QStringLiteral(" MB");
}

QString DeviceText(const char16_t* text) {
    if (text == nullptr)
        return {};
    qsizetype length = 0;
    while (length < kMaxShownTextUnits && text[length] != 0)
        ++length;
    return QString::fromUtf16(text, length);
}
