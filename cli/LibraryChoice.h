#pragma once

#include <cstdint>
#include <string>

#include "cli/CliOptions.h"

class CItuneDB;
struct TrackRecord;

// --min-rating STARS and --min-plays N: only the rows the device's library
// rates or plays at least that much (play counts merged from the device).
struct LibraryChoice {
    uint32_t minRating = 0; // as stored, 20 a star
    uint32_t minPlays = 0;

    // False, with a line for the user in `error`, for a value that is not
    // a whole number (of stars from 0 to 5, for the rating).
    bool Parse(const ParsedOptions& options, std::string& error);
    bool Reaches(const CItuneDB& db, const TrackRecord& row) const;
};
