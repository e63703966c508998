#include "library/Rgb565.h"

#include "library/ArtworkLibrary.h"

namespace {

uint8_t Expand5(uint32_t v) {
    return uint8_t(v << 3 | v >> 2);
}
uint8_t Expand6(uint32_t v) {
    return uint8_t(v << 2 | v >> 4);
}

} // namespace

bool DecodeRgb565(const uint8_t* bytes, const ThumbnailShape& shape, CoverPixels& out) {
    out = CoverPixels{};
    if (!shape.HasPicture())
        return false;
    out.width = shape.width - shape.paddingColumns;
    out.height = shape.height - shape.paddingRows;
    out.rgb.resize(size_t(out.width) * out.height * 3);
    uint8_t* dst = out.rgb.data();
    for (uint32_t y = 0; y < out.height; ++y) {
        const uint8_t* src = bytes + size_t(y) * shape.width * 2;
        for (uint32_t x = 0; x < out.width; ++x, src += 2) {
            const uint32_t pixel = uint32_t(src[0]) | uint32_t(src[1]) << 8;
            *dst++ = Expand5(pixel >> 11);
            *dst++ = Expand6((pixel >> 5) & 0x3F);
            *dst++ = Expand5(pixel & 0x1F);
        }
    }
    return true;
}
