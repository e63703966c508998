#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/TrackDetails.h"

// The "Play Counts" file holds what the device counted since its last sync:
// entry i for the i-th mhit of the database. Merges it into `rows`, the
// details of `rowCount` tracks in file order: plays and skips are added,
// last-played and last-skipped times and a rating replace the database's
// where the entry holds a non-zero one. A malformed file is ignored, wholly
// or from the entry where it goes wrong, with a line in `message` saying why.
void MergePlayCounts(const uint8_t* bytes, size_t size, TrackDetails* rows, uint32_t rowCount,
                     std::string& message);
