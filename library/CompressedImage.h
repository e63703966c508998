#pragma once

#include "library/ImageBuffer.h"

// Newer iPods keep iTunesCDB: the mhbd header as written, then one zlib
// stream that inflates to the data sets a plain file holds after its header.
// The word at offset 12 tells the forms apart (2: compressed), whatever the
// file is named.

// True when `image` starts with a compressed database's root.
bool IsCompressedImage(const ImageBuffer& image);

// Replaces a compressed image by the plain one (the header, then the
// inflated bytes); leaves a plain image alone. False, with `image` left as
// it was, for a truncated or corrupt stream, a wrong checksum, or one that
// would inflate beyond kLargestInflatedImage or kLargestInflateRatio times
// its compressed size (refused before that much memory is touched).
bool ExpandCompressedImage(ImageBuffer& image);

inline constexpr size_t kLargestInflatedImage = size_t(1) << 30;
inline constexpr size_t kLargestInflateRatio = 200;
