#pragma once

#include <cstdint>

// What the database knows of a track beyond TrackRecord's nine words, in a
// table beside the track table, row for row. A field an older database's
// shorter mhit header does not reach is absent, which is not the same as
// zero; `present` tells them apart. Times are Mac time (seconds from
// 1904-01-01), 0 for none, as the device stores them.
struct TrackDetails {
    enum Field : uint16_t {
        kCompilation = 1 << 0,
        kRating = 1 << 1,
        kTrackNumber = 1 << 2,
        kTrackCount = 1 << 3,
        kYear = 1 << 4,
        kPlayCount = 1 << 5,
        kLastPlayed = 1 << 6,
        kDiscNumber = 1 << 7,
        kDiscCount = 1 << 8,
        kDateAdded = 1 << 9,
        kDbid = 1 << 10,
        kSkipCount = 1 << 11,
        kLastSkipped = 1 << 12,
        kArtworkLink = 1 << 13,
    };

    uint64_t dbid = 0; // the artwork database names the track by it
    uint32_t trackNumber = 0;
    uint32_t trackCount = 0;
    uint32_t year = 0;
    uint32_t playCount = 0;
    uint32_t lastPlayed = 0;
    uint32_t discNumber = 0;
    uint32_t discCount = 0;
    uint32_t dateAdded = 0;
    uint32_t skipCount = 0;
    uint32_t lastSkipped = 0;
    uint32_t artworkLink = 0; // mhii id in the artwork database
    // Code unit of the track string pool plus one, 0 when absent: a 32-bit
    // place instead of a pointer keeps the row at 64 bytes.
    uint32_t composer = 0;
    uint32_t albumArtist = 0;
    uint16_t present = 0; // Field bits
    uint8_t compilation = 0;
    uint8_t rating = 0; // 20 per star, 0 to 100

    bool Has(Field field) const { return (present & field) != 0; }
};

static_assert(sizeof(TrackDetails) <= 64, "the table beside the tracks stays at 64 bytes a row");
