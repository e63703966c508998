#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "library/ArtworkLibrary.h"
#include "library/TrackDetails.h"

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

    // A track's cover, found but not yet encoded: its image in the artwork
    // database, or the picture just read from its file.
    struct Found {
        CoverRef ref;
        bool embedded = false;
        bool Valid() const { return embedded || ref.Valid(); }
    };

    // `details` is the row's (null when the library has none), `source` its
    // resolved file. Cheap for rows from the database, so a caller that
    // keeps an existing cover need not encode one.
    Found Find(const TrackDetails* details, const std::string& source);
    // Null when the cover cannot be read or encoded. The bytes stay valid
    // until the next Find (those of the artwork database as long as this
    // object lives).
    const std::vector<uint8_t>* Jpeg(const Found& found);
    const std::vector<uint8_t>* JpegOf(const TrackDetails* details, const std::string& source) {
        return Jpeg(Find(details, source));
    }

    // Whether JpegOf reads `source` at all: for rows from the database it
    // never does, so a caller need not resolve the file.
    bool ReadsFiles() const { return rows_ == Rows::FromFiles; }

private:
    const std::vector<uint8_t>* DatabaseCover(const CoverRef& ref);
    const std::vector<uint8_t>* EmbeddedCover();

    const ArtworkLibrary* artwork_;
    Rows rows_;
    // By CoverRef::key; empty for a cover that could not be read or encoded.
    std::map<uint64_t, std::vector<uint8_t>> encoded_;
    std::vector<uint8_t> embedded_;
};
