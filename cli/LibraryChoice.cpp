#include "cli/LibraryChoice.h"

#include "library/CItuneDB.h"

namespace {

constexpr int32_t kMostStars = 5;
constexpr uint32_t kRatingPerStar = 20;

} // namespace

bool LibraryChoice::Parse(const ParsedOptions& options, std::string& error) {
    int32_t value = 0;
    if (options.Has("min-rating")) {
        if (!ParseIndex(options.Get("min-rating"), value) || value > kMostStars) {
            error = "--min-rating needs a number of stars from 0 to 5, not '" +
                    options.Get("min-rating") + "'";
            return false;
        }
        minRating = uint32_t(value) * kRatingPerStar;
    }
    if (options.Has("min-plays")) {
        if (!ParseIndex(options.Get("min-plays"), value)) {
            error = "--min-plays needs a number of plays, not '" + options.Get("min-plays") + "'";
            return false;
        }
        minPlays = uint32_t(value);
    }
    return true;
}

bool LibraryChoice::Reaches(const CItuneDB& db, const TrackRecord& row) const {
    if (minRating == 0 && minPlays == 0)
        return true;
    const TrackDetails* details = db.DetailsOf(row);
    return details && details->rating >= minRating && details->playCount >= minPlays;
}
