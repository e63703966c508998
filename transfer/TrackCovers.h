#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "library/TrackDetails.h"

class ArtworkLibrary;
struct TrackRecord;

// The front cover of a copied track as JPEG bytes: the artwork database's,
// or for rows read from the files, the file's own embedded picture. Each
// distinct image is encoded once. Used by the worker's thread alone.
class TrackCovers {
public:
    // `artwork` is borrowed and may be null (then only embedded pictures).
    explicit TrackCovers(const ArtworkLibrary* artwork);

    // `details` is the row's (null when the library has none), `source` its
    // resolved file. Null when the track has no cover; the bytes live as
    // long as this object.
    const std::vector<uint8_t>* JpegOf(const TrackDetails* details, const std::string& source);
};
