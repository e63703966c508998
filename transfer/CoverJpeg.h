#pragma once

#include <cstdint>
#include <vector>

struct CoverPixels;

// Covers are small (a device's largest is 320 pixels square), so they are
// kept close to the device's pixels: quality 95 and full colour resolution
// (no chroma subsampling), which costs a few kilobytes a cover at most.
inline constexpr int kCoverJpegQuality = 95;

// Encodes `pixels` at their own size. False when the pixels are empty, do
// not match their width and height, or the encoder refuses them.
bool EncodeCoverJpeg(const CoverPixels& pixels, std::vector<uint8_t>& jpeg);

// True when `bytes` hold a JPEG whose header the decoder reads, with a size
// of at least one pixel: an embedded picture that can go into cover.jpg as it is.
bool IsReadableJpeg(const std::vector<uint8_t>& bytes);
