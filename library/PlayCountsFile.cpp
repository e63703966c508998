#include "library/PlayCountsFile.h"

#include <algorithm>

#include "library/ByteReader.h"

namespace {

constexpr size_t kHeaderLength = 4;
constexpr size_t kEntryLength = 8;
constexpr size_t kEntryCount = 12;
constexpr size_t kHeaderFixed = 16;

constexpr size_t kPlays = 0;
constexpr size_t kLastPlayed = 4;
constexpr size_t kRating = 12;
constexpr size_t kSkips = 20;
constexpr size_t kLastSkipped = 24;
constexpr size_t kShortestEntry = 12;
constexpr size_t kEntryWithRating = 16;
constexpr size_t kEntryWithSkips = 28;

uint32_t SaturatingAdd(uint32_t a, uint32_t b) {
    return b > UINT32_MAX - a ? UINT32_MAX : a + b;
}

void Replace(uint32_t& slot, uint16_t& present, TrackDetails::Field field, uint32_t value) {
    if (value == 0)
        return; // the device writes 0 for "not since the sync"
    slot = value;
    present |= field;
}

void MergeEntry(const ByteReader& reader, size_t at, size_t entryLength, TrackDetails& row) {
    row.playCount = SaturatingAdd(row.playCount, reader.U32(at + kPlays));
    row.present |= TrackDetails::kPlayCount;
    Replace(row.lastPlayed, row.present, TrackDetails::kLastPlayed, reader.U32(at + kLastPlayed));
    // A freshly rebuilt file holds zeros, which must not unrate the track.
    const uint32_t rating = entryLength >= kEntryWithRating ? reader.U32(at + kRating) : 0;
    if (rating != 0) {
        row.rating = uint8_t(std::min<uint32_t>(rating, 255));
        row.present |= TrackDetails::kRating;
    }
    if (entryLength < kEntryWithSkips)
        return;
    row.skipCount = SaturatingAdd(row.skipCount, reader.U32(at + kSkips));
    row.present |= TrackDetails::kSkipCount;
    Replace(row.lastSkipped, row.present, TrackDetails::kLastSkipped,
            reader.U32(at + kLastSkipped));
}

void Ignored(std::string& message, const std::string& why) {
    message += "Play Counts ignored: " + why + "\r\n";
}

} // namespace

void MergePlayCounts(const uint8_t* bytes, size_t size, TrackDetails* rows, uint32_t rowCount,
                     std::string& message) {
    const ByteReader reader(bytes, size);
    if (!reader.Has(0, kHeaderFixed) || !reader.TagIs(0, "mhdp"))
        return Ignored(message, size == 0 ? "empty" : "no mhdp header");
    const size_t header = reader.U32(kHeaderLength);
    const size_t entryLength = reader.U32(kEntryLength);
    const uint32_t count = reader.U32(kEntryCount);
    if (header < kHeaderFixed || header > size)
        return Ignored(message, "header length " + std::to_string(header));
    if (entryLength < kShortestEntry)
        return Ignored(message, "entry length " + std::to_string(entryLength));
    const uint64_t fitting = (size - header) / entryLength;
    const uint64_t merged = std::min<uint64_t>({count, fitting, rowCount});
    for (uint64_t i = 0; i < merged; ++i)
        MergeEntry(reader, header + size_t(i) * entryLength, entryLength, rows[i]);
    if (merged < count)
        Ignored(message,
                "from entry " + std::to_string(merged) + " of " + std::to_string(count) +
                    (merged == fitting ? ", past the file's end" : ", past the last track"));
}
