#include "library/CItuneDB.h"

// View rows are copies that the list sorts, so a row is found again by its
// id, and told apart from another track with the same id by its strings,
// which point into the pool at places only its own table row shares.
uint32_t CItuneDB::TrackLengthMs(const TrackRecord& row) const {
    if (!tracks || !trackLengths)
        return 0;
    auto same = [&row](const TrackRecord& track) {
        return track.location == row.location && track.title == row.title;
    };
    const int32_t found = trackIndexById.Find(row.trackId);
    if (found >= 0 && uint32_t(found) < trackFill && same(tracks[found]))
        return trackLengths[found];
    for (uint32_t i = 0; i < trackFill; ++i)
        if (tracks[i].trackId == row.trackId && same(tracks[i]))
            return trackLengths[i];
    return 0;
}
