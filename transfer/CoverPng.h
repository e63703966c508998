#pragma once

#include <cstdint>
#include <vector>

struct CoverPixels;

// Embedded pictures larger than this are not decoded: a cover needs far
// less, and a crafted header must not make us allocate gigabytes.
inline constexpr uint64_t kMaxPngCoverPixels = uint64_t(4096) * 4096;

// True when `bytes` start with the PNG signature.
bool LooksLikePng(const std::vector<uint8_t>& bytes);

// Decodes a PNG picture into RGB pixels, what transparency it has laid on
// white (how a player shows such a cover). False for a damaged or
// oversized picture.
bool DecodeCoverPng(const std::vector<uint8_t>& bytes, CoverPixels& pixels);
