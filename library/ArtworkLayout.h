#pragma once

#include <cstddef>
#include <cstdint>

// Where the reader finds its fields inside the ArtworkDB's chunks (bytes
// from the chunk's start, little-endian). Header and total lengths sit where
// the iTunesDB keeps them (chunk::kHeaderLength, chunk::kTotalLength).
namespace artchunk {

constexpr size_t kRootDataSetCount = 20; // mhfd
constexpr size_t kRootFixed = 24;

constexpr size_t kDataSetKind = 12; // mhsd, 16 bits
constexpr size_t kDataSetFixed = 16;
constexpr uint32_t kImageListKind = 1;

constexpr size_t kListCount = 8; // mhli: the image count where others keep a total
constexpr size_t kListFixed = 12;

constexpr size_t kImageChildCount = 12; // mhii
constexpr size_t kImageId = 16;
constexpr size_t kImageTrackDbid = 20; // 64 bits
constexpr size_t kImageFixed = 28;

constexpr size_t kObjectType = 12; // mhod, 16 bits
constexpr size_t kObjectFixed = 14;
constexpr uint32_t kThumbnailObject = 2; // wraps one mhni
constexpr uint32_t kFileNameObject = 3;  // inside an mhni

constexpr size_t kNameByteLength = 24; // mhod of type 3
constexpr size_t kNameEncoding = 28;   // 8 bits: 2 is UTF-16LE, else UTF-8
constexpr size_t kNameStart = 36;
constexpr uint8_t kNameUtf16 = 2;

constexpr size_t kThumbChildCount = 12; // mhni
constexpr size_t kThumbFormat = 16;
constexpr size_t kThumbOffset = 20;
constexpr size_t kThumbSize = 24;
constexpr size_t kThumbVerticalPadding = 28;   // signed 16 bits
constexpr size_t kThumbHorizontalPadding = 30; // signed 16 bits
constexpr size_t kThumbHeight = 32;            // 16 bits
constexpr size_t kThumbWidth = 34;             // 16 bits
constexpr size_t kThumbFixed = 36;

} // namespace artchunk
