#pragma once

// Builds an ArtworkDB and its thumbnail (.ithmb) files from a plain
// description, as a device keeps its album covers, so tests state layouts
// directly: any of the cover formats, several formats an image, padding,
// and the damage a reader must survive (sizes that do not match, offsets
// past a file, names of files that are not there).

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace artwriter {

// A cover format and the pixel size devices store it at.
struct CoverFormat {
    uint32_t format;
    uint16_t width;
    uint16_t height;
};
// Every RGB565 little-endian cover format devices use.
const std::vector<CoverFormat>& CoverFormats();
// The size of a format of CoverFormats(); 0×0 for others.
CoverFormat CoverFormatOf(uint32_t format);

// RGB565 pixels, rows of `width`, that say where each pixel lies: red is
// the column (mod 32), green the row (mod 64), blue `tint` (mod 32).
std::vector<uint8_t> CoordinatePixels(uint16_t width, uint16_t height, uint8_t tint);

struct Thumbnail {
    uint32_t format = 1060;
    // The stored size; 0 takes the format's from CoverFormats().
    uint16_t width = 0;
    uint16_t height = 0;
    int16_t verticalPadding = 0;
    int16_t horizontalPadding = 0;
    // RGB565 LE bytes written to the file; empty: CoordinatePixels(…, tint).
    std::vector<uint8_t> pixels;
    uint8_t tint = 0;
    // The file, as the mhni names it; empty: ":F<format>_1.ithmb".
    std::string fileName;
    bool utf8Name = false; // the name in UTF-8 rather than UTF-16LE
    // The mhni's byte size; by default what was written.
    std::optional<uint32_t> statedSize;
    // Set: the mhni points there and nothing is written (bytes written for
    // another image, or none at all). Unset: the pixels are appended to
    // the file and the mhni points at them.
    std::optional<uint32_t> offset;
};

// A thumbnail of `format` at its usual size, its pixels CoordinatePixels.
Thumbnail Thumb(uint32_t format, uint8_t tint = 0);

struct Image {
    uint32_t id = 0;
    uint64_t trackDbid = 0;
    std::vector<Thumbnail> thumbnails;
};

struct Artwork {
    std::vector<Image> images;
    // Data set kinds in file order: 1 the images, 2 the (empty) albums,
    // 3 the formats of the thumbnails written.
    std::vector<uint16_t> dataSetOrder = {1, 2, 3};
};

struct Written {
    std::vector<uint8_t> database;
    std::map<std::string, std::vector<uint8_t>> files; // by file name, "F1060_1.ithmb"
    std::vector<size_t> imageOffsets;                  // mhii chunks in file order
    std::vector<size_t> thumbnailOffsets;              // mhni chunks in file order
};

Written Write(const Artwork& artwork);

// Puts the database as `<root>/<folder>/<databaseName>` and each file
// beside it. False on any failure.
bool WriteDevice(const std::string& root, const Written& written,
                 const std::string& folder = "iPod_Control/Artwork",
                 const std::string& databaseName = "ArtworkDB");

} // namespace artwriter
