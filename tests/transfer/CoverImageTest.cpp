#include "library/ArtworkLibrary.h"
#include "transfer/CoverJpeg.h"
#include "transfer/CoverPng.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using Bytes = std::vector<uint8_t>;

void Put32BE(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

// A PNG signature and an IHDR chunk for an 8-bit RGB picture of the size
// given, with a correct checksum: what a crafted file shows before its data.
Bytes PngHeader(uint32_t width, uint32_t height) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes chunk = {'I', 'H', 'D', 'R'};
    Put32BE(chunk, width);
    Put32BE(chunk, height);
    chunk.insert(chunk.end(), {8, 2, 0, 0, 0});
    Put32BE(png, 13);
    png.insert(png.end(), chunk.begin(), chunk.end());
    Put32BE(png, uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
    return png;
}

TEST(CoverImages, PixelsThatDoNotMatchTheirSizeAreRefusedAndGoodOnesEncode) {
    Bytes jpeg;
    EXPECT_FALSE(EncodeCoverJpeg({2, 2, Bytes(11, 0)}, jpeg));
    EXPECT_FALSE(EncodeCoverJpeg({0, 0, {}}, jpeg));
    EXPECT_FALSE(EncodeCoverJpeg({0x80000000u, 2, Bytes(12, 0)}, jpeg));
    ASSERT_TRUE(EncodeCoverJpeg({2, 2, Bytes(12, 0x80)}, jpeg));
    EXPECT_TRUE(IsReadableJpeg(jpeg));
    // The start of a JPEG alone, and bytes that only begin like one.
    EXPECT_FALSE(IsReadableJpeg(Bytes(jpeg.begin(), jpeg.begin() + 20)));
    EXPECT_FALSE(IsReadableJpeg({0xFF, 0xD8, 0xFF, 0xE0, 0, 0}));
}

TEST(CoverImages, DamagedOrHugePngPicturesAreNoCover) {
    CoverPixels pixels;
    EXPECT_FALSE(DecodeCoverPng(PngHeader(16, 16), pixels)); // no image data follows
    EXPECT_FALSE(DecodeCoverPng(PngHeader(100000, 100000), pixels));
    EXPECT_TRUE(pixels.rgb.empty());
    Bytes truncated = PngHeader(16, 16);
    truncated.resize(20);
    EXPECT_TRUE(LooksLikePng(truncated));
    EXPECT_FALSE(DecodeCoverPng(truncated, pixels));
}

} // namespace
