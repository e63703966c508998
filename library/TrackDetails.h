#pragma once

#include <cstdint>

// What the database knows of a track beyond TrackRecord's nine words, its
// playing time among them, in a table beside the track table, row for row.
// A field an older database's shorter mhit header does not reach is absent,
// which is not the same as zero; `present` tells them apart. Times are Mac
// time (seconds from 1904-01-01), 0 for none, as the device stores them.
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

    uint32_t lengthMs = 0; // playing time, 0 when unknown; every mhit has one
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
    // The dbid, by which the artwork database names the track, in two words:
    // a 64-bit member would align the row to 72 bytes.
    uint32_t dbidLow = 0;
    uint32_t dbidHigh = 0;
    // Code unit of the track string pool plus one, 0 when absent: a 32-bit
    // place instead of a pointer keeps the row small.
    uint32_t composer = 0;
    uint32_t albumArtist = 0;
    uint16_t present = 0; // Field bits
    uint8_t compilation = 0;
    uint8_t rating = 0; // 20 per star, 0 to 100

    bool Has(Field field) const { return (present & field) != 0; }
    uint64_t Dbid() const { return uint64_t(dbidHigh) << 32 | dbidLow; }
    void SetDbid(uint64_t dbid) {
        dbidLow = uint32_t(dbid);
        dbidHigh = uint32_t(dbid >> 32);
    }
};

static_assert(sizeof(TrackDetails) <= 68, "the table beside the tracks stays at 68 bytes a row");
