#include "library/CItuneDB.h"

// View rows are copies that the list sorts, so a row is found again by its
// id, and told apart from another track with the same id by its strings,
// which point into the pool at places only its own table row shares.
int32_t CItuneDB::RowOf(const TrackRecord& row) const {
    if (!tracks)
        return -1;
    auto same = [&row](const TrackRecord& track) {
        return track.location == row.location && track.title == row.title;
    };
    const int32_t found = trackIndexById.Find(row.trackId);
    if (found >= 0 && uint32_t(found) < trackFill && same(tracks[found]))
        return found;
    for (uint32_t i = 0; i < trackFill; ++i)
        if (tracks[i].trackId == row.trackId && same(tracks[i]))
            return int32_t(i);
    return -1;
}

uint32_t CItuneDB::TrackLengthMs(const TrackRecord& row) const {
    const TrackDetails* details = DetailsOf(row);
    return details ? details->lengthMs : 0;
}

const TrackDetails* CItuneDB::DetailsOf(const TrackRecord& row) const {
    const int32_t found = trackDetails ? RowOf(row) : -1;
    return found >= 0 ? &trackDetails[found] : nullptr;
}

const char16_t* CItuneDB::DetailText(uint32_t poolPlace) const {
    return poolPlace != 0 && trackStrings ? trackStrings + (poolPlace - 1) : nullptr;
}
