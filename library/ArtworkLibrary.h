#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TrackDetails;

// One cover as pixels: 3 bytes a pixel (red, green, blue), rows top to
// bottom, padding already cut away.
struct CoverPixels {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

// Which cover a track has. Tracks whose chosen thumbnails are the same bytes
// of the same file share a key, so an album's cover is decoded and encoded
// once however many tracks point at it.
struct CoverRef {
    int32_t image = -1; // -1: no usable cover
    uint64_t key = 0;
    bool Valid() const { return image >= 0; }
};

// The device's artwork database (iPod_Control/Artwork/ArtworkDB) and its
// thumbnail files, read only. Everything in them is untrusted: a missing or
// damaged file only means fewer covers, never a failure of the caller.
class ArtworkLibrary {
public:
    ArtworkLibrary();
    ~ArtworkLibrary();
    ArtworkLibrary(const ArtworkLibrary&) = delete;
    ArtworkLibrary& operator=(const ArtworkLibrary&) = delete;

    // Reads the artwork database below `deviceRoot` (CItuneDB::DeviceRoot()),
    // in any letter case, and notes the thumbnail files' sizes. 1: read;
    // 0: none there, or unreadable (no covers at all).
    int Load(const std::string& deviceRoot);

    // The track's image, by its artwork link, failing that by its dbid, with
    // the largest cover format whose bytes lie wholly inside its file.
    CoverRef CoverOf(const TrackDetails& details) const;

    // Reads and decodes `ref`'s thumbnail. False: the file is gone, short, or
    // its bytes do not match the sizes. Safe from any thread once loaded.
    bool ReadCover(const CoverRef& ref, CoverPixels& out) const;

private:
    struct Tables;
    std::unique_ptr<const Tables> tables; // null before a load that read a database
};
