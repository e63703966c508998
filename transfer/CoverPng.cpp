#include "transfer/CoverPng.h"

#include "library/ArtworkLibrary.h"

#include <algorithm>
#include <iterator>
#include <png.h>

bool LooksLikePng(const std::vector<uint8_t>& bytes) {
    static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= sizeof kSignature &&
           std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin());
}

bool DecodeCoverPng(const std::vector<uint8_t>& bytes, CoverPixels& pixels) {
    pixels = CoverPixels{};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return false;
    if (image.width == 0 || image.height == 0 ||
        uint64_t(image.width) * image.height > kMaxPngCoverPixels) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    pixels.rgb.resize(PNG_IMAGE_SIZE(image));
    const png_color white{0xFF, 0xFF, 0xFF};
    if (!png_image_finish_read(&image, &white, pixels.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        pixels = CoverPixels{};
        return false;
    }
    pixels.width = image.width;
    pixels.height = image.height;
    return true;
}
