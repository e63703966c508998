#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One thumbnail of an image as its mhni describes it: which bytes of which
// file, in which pixel format, at which size. Nothing here is checked
// against the file yet.
struct ThumbnailEntry {
    uint32_t format = 0;
    uint32_t offset = 0;
    uint32_t size = 0;
    int16_t verticalPadding = 0;
    int16_t horizontalPadding = 0;
    uint16_t height = 0;
    uint16_t width = 0;
    std::string fileName; // UTF-8, as stored (":F1028_1.ithmb"); "" when it has none
};

struct ArtworkImageEntry {
    uint32_t id = 0;
    uint64_t trackDbid = 0;
    std::vector<ThumbnailEntry> thumbnails;
};

// The images of an ArtworkDB image in file order. The bytes are untrusted:
// every read is checked against `size`, a wrong tag or a total length too
// short for a chunk's fixed fields ends the list it is in, a read outside
// the image ends the walk, and the number of chunks entered is bounded by
// the image's size, so the walk stays linear whatever the counts claim.
// Images read before a fault stand.
std::vector<ArtworkImageEntry> WalkArtworkDatabase(const uint8_t* data, size_t size);
