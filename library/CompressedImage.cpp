#include "library/CompressedImage.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

#include "library/ByteReader.h"
#include "library/ChunkLayout.h"

namespace {

constexpr size_t kFormFlag = 12;
constexpr uint32_t kCompressedForm = 2;
constexpr size_t kLargestZlibChunk = 1u << 30; // zlib counts in 32-bit units

// Header length of a compressed root, or 0 when `image` is not one.
size_t CompressedHeaderLength(const ImageBuffer& image) {
    const ByteReader reader(image.data(), image.size());
    if (!reader.Has(0, chunk::kRootFixed) || !reader.TagIs(0, "mhbd") ||
        reader.U32(kFormFlag) != kCompressedForm)
        return 0;
    const uint32_t header = reader.U32(chunk::kHeaderLength);
    return header >= chunk::kRootFixed && header <= image.size() ? header : 0;
}

// Inflates the whole of [in, in + inSize) into [out, out + outSize); the
// bytes written, or -1 when the stream is bad, ends early or does not fit.
long long Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return -1;
    stream.next_in = const_cast<Bytef*>(in);
    stream.next_out = out;
    int status = Z_OK;
    size_t inLeft = inSize;
    size_t outLeft = outSize;
    while (status == Z_OK) {
        // zlib's counters are 32-bit: feed and drain it a chunk at a time.
        const uInt inChunk = uInt(std::min(inLeft, kLargestZlibChunk));
        const uInt outChunk = uInt(std::min(outLeft, kLargestZlibChunk));
        stream.avail_in = inChunk;
        stream.avail_out = outChunk;
        status = inflate(&stream, Z_NO_FLUSH);
        inLeft -= inChunk - stream.avail_in;
        outLeft -= outChunk - stream.avail_out;
        if (status == Z_BUF_ERROR && inLeft > 0 && outLeft > 0)
            status = Z_OK; // only a chunk boundary
    }
    const long long written = static_cast<long long>(outSize - outLeft);
    inflateEnd(&stream);
    return status == Z_STREAM_END ? written : -1;
}

} // namespace

bool IsCompressedImage(const ImageBuffer& image) {
    return CompressedHeaderLength(image) != 0;
}

bool ExpandCompressedImage(ImageBuffer& image) {
    const size_t header = CompressedHeaderLength(image);
    if (header == 0)
        return true;
    const size_t compressed = image.size() - header;
    const size_t bound =
        std::min(kLargestInflatedImage, std::max<size_t>(compressed, 1) * kLargestInflateRatio);
    ImageBuffer plain;
    if (!plain.Allocate(header + bound))
        return false;
    std::memcpy(plain.data(), image.data(), header);
    const long long inflated =
        Inflate(image.data() + header, compressed, plain.data() + header, bound);
    // A stream read in part from zeros (the device went) is no stream.
    if (inflated < 0 || image.Faulted())
        return false;
    plain.Shrink(header + size_t(inflated));
    image.Swap(plain);
    return true;
}
