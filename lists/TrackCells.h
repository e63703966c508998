#pragma once

#include "library/TrackRecord.h"

#include <QString>
#include <cstdint>

// Device strings longer than this are cut for display: no cell can show more,
// and a damaged database must not make every repaint copy megabytes.
inline constexpr int kMaxShownTextUnits = 1024;

// Column 0: the row's 1-based position on screen.
QString RowNumberText(int rowIndex);
// Column 2: the size in mebibytes with two decimals, e.g. "4096.00 MB".
QString SizeText(uint32_t fileSize);
// A device string for display: null shows as empty text.
QString DeviceText(const char16_t* text);
// What a track's cell in `column` shows; the row number (column 0) is not
// the track's but the row's, so it is empty here.
QString CellTextOf(const TrackRecord& track, int column);
