#include "library/TrackHeaderFields.h"

#include <algorithm>

#include "library/ChunkLayout.h"

using namespace chunk;

namespace {

struct WordField {
    size_t offset;
    TrackDetails::Field field;
    uint32_t TrackDetails::*slot;
};

constexpr WordField kWordFields[] = {
    {kTrackNumber, TrackDetails::kTrackNumber, &TrackDetails::trackNumber},
    {kTrackCount, TrackDetails::kTrackCount, &TrackDetails::trackCount},
    {kTrackYear, TrackDetails::kYear, &TrackDetails::year},
    {kTrackPlayCount, TrackDetails::kPlayCount, &TrackDetails::playCount},
    {kTrackLastPlayed, TrackDetails::kLastPlayed, &TrackDetails::lastPlayed},
    {kTrackDiscNumber, TrackDetails::kDiscNumber, &TrackDetails::discNumber},
    {kTrackDiscCount, TrackDetails::kDiscCount, &TrackDetails::discCount},
    {kTrackDateAdded, TrackDetails::kDateAdded, &TrackDetails::dateAdded},
    {kTrackSkipCount, TrackDetails::kSkipCount, &TrackDetails::skipCount},
    {kTrackLastSkipped, TrackDetails::kLastSkipped, &TrackDetails::lastSkipped},
};

// Every field but the strings: what a header of the layout most files
// use holds.
constexpr uint16_t kEveryField = (TrackDetails::kArtworkLink << 1) - 1;

// For the usual header, which reaches every field: none needs a test.
TrackDetails ReadEveryField(const ByteReader& reader, size_t at) {
    TrackDetails details;
    details.compilation = reader.U8(at + kTrackCompilation);
    details.rating = reader.U8(at + kTrackRating);
    for (const WordField& word : kWordFields)
        details.*word.slot = reader.U32(at + word.offset);
    details.SetDbid(reader.U64(at + kTrackDbid));
    details.artworkLink = reader.U32(at + kTrackArtworkLink);
    details.present = kEveryField;
    return details;
}

} // namespace

TrackDetails ReadTrackHeaderFields(const ByteReader& reader, size_t at) {
    TrackDetails details;
    if (!reader.Has(at, kHeaderLength + 4))
        return details;
    const size_t header = reader.U32(at + kHeaderLength);
    const size_t reach = std::min(header, reader.Remaining(at));
    if (header >= kTrackArtworkLinkHeader && reach >= kTrackArtworkLink + 4)
        return ReadEveryField(reader, at);
    auto inside = [reach](size_t offset, size_t size) {
        return offset <= reach && reach - offset >= size;
    };
    if (inside(kTrackCompilation, 1)) {
        details.compilation = reader.U8(at + kTrackCompilation);
        details.present |= TrackDetails::kCompilation;
    }
    if (inside(kTrackRating, 1)) {
        details.rating = reader.U8(at + kTrackRating);
        details.present |= TrackDetails::kRating;
    }
    for (const WordField& word : kWordFields) {
        if (inside(word.offset, 4)) {
            details.*word.slot = reader.U32(at + word.offset);
            details.present |= word.field;
        }
    }
    if (inside(kTrackDbid, 8)) {
        details.SetDbid(reader.U64(at + kTrackDbid));
        details.present |= TrackDetails::kDbid;
    }
    if (header >= kTrackArtworkLinkHeader && inside(kTrackArtworkLink, 4)) {
        details.artworkLink = reader.U32(at + kTrackArtworkLink);
        details.present |= TrackDetails::kArtworkLink;
    }
    return details;
}
