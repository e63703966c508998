#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "library/TrackDetails.h"

class ArtworkLibrary;

// The front cover of a copied track as JPEG bytes: the artwork database's,
// or for rows read from the files, the file's own embedded picture. Each
// distinct image of the artwork database is encoded once. Used by the
// worker's thread alone.
class TrackCovers {
public:
    // Where the rows came from, and so where their covers are.
    enum class Rows { FromDatabase, FromFiles };

    // `artwork` is borrowed and may be null (then only embedded pictures).
    TrackCovers(const ArtworkLibrary* artwork, Rows rows);

    // `details` is the row's (null when the library has none), `source` its
    // resolved file. Null when the track has no cover. The bytes stay valid
    // until the next call (those of the artwork database as long as this
    // object lives).
    const std::vector<uint8_t>* JpegOf(const TrackDetails* details, const std::string& source);

    // Whether JpegOf reads `source` at all: for rows from the database it
    // never does, so a caller need not resolve the file.
    bool ReadsFiles() const { return rows_ == Rows::FromFiles; }

private:
    const std::vector<uint8_t>* DatabaseCover(const TrackDetails& details);
    const std::vector<uint8_t>* EmbeddedCover(const std::string& source);

    const ArtworkLibrary* artwork_;
    Rows rows_;
    // By CoverRef::key; empty for a cover that could not be read or encoded.
    std::map<uint64_t, std::vector<uint8_t>> encoded_;
    std::vector<uint8_t> embedded_;
};
