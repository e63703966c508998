#pragma once

#include <cstddef>
#include <cstdint>

struct CoverPixels;

// What of a stored thumbnail is picture: its stored size in pixels and the
// padding rows and columns to cut away (at the bottom and on the right).
struct ThumbnailShape {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t paddingRows = 0;
    uint32_t paddingColumns = 0;

    // True when the shape leaves at least one pixel.
    bool HasPicture() const { return paddingRows < height && paddingColumns < width; }
};

// Decodes RGB565 little-endian pixels, rows of `shape.width`, into 8-bit
// RGB with each channel's high bits repeated into its low ones (so 0x1F
// becomes 0xFF and 0 stays 0), leaving the padding out. `bytes` holds
// width × height × 2 bytes. False, with `out` emptied, when the shape
// leaves no picture.
bool DecodeRgb565(const uint8_t* bytes, const ThumbnailShape& shape, CoverPixels& out);
