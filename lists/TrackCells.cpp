#include "lists/TrackCells.h"

#include "lists/TrackColumns.h"

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

QString CellTextOf(const TrackRecord& track, int column) {
    switch (column) {
    case kColumnName:
        return DeviceText(track.title);
    case kColumnSize:
        return SizeText(track.fileSize);
    case kColumnArtist:
        return DeviceText(track.artist);
    case kColumnAlbum:
        return DeviceText(track.album);
    case kColumnGenre:
        return DeviceText(track.genre);
    default:
        return {};
    }
}
