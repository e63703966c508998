#include "library/PlayCountsFile.h"

#include <algorithm>

#include "library/EntryFileHeader.h"

namespace {

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
    EntryFileHeader file;
    std::string why;
    if (!ReadEntryFileHeader(reader, size, "mhdp", kShortestEntry, 0, file, why))
        return Ignored(message, why);
    const uint64_t merged = std::min<uint64_t>({file.count, file.fitting, rowCount});
    for (uint64_t i = 0; i < merged; ++i)
        MergeEntry(reader, file.headerLength + size_t(i) * file.entryLength, file.entryLength,
                   rows[i]);
    if (merged < file.count)
        Ignored(message,
                "from entry " + std::to_string(merged) + " of " + std::to_string(file.count) +
                    (merged == file.fitting ? ", past the file's end" : ", past the last track"));
}
