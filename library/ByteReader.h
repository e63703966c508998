#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Little-endian reads over the database image, checked against its end.
// The image is untrusted: every offset comes from the file itself.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data(data), size(size) {}

    // True when `count` bytes starting at `offset` lie inside the image.
    bool Has(size_t offset, size_t count) const { return offset <= size && size - offset >= count; }
    // Bytes from `offset` to the image's end; 0 past it.
    size_t Remaining(size_t offset) const { return offset <= size ? size - offset : 0; }
    const uint8_t* At(size_t offset) const { return data + offset; }

    // Callers check Has() first; these never read outside on their own.
    uint32_t U32(size_t offset) const {
        uint8_t b[4];
        std::memcpy(b, data + offset, 4);
        return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    uint64_t U64(size_t offset) const { return U32(offset) | uint64_t(U32(offset + 4)) << 32; }
    uint16_t U16(size_t offset) const { return uint16_t(data[offset] | data[offset + 1] << 8); }
    uint8_t U8(size_t offset) const { return data[offset]; }
    bool TagIs(size_t offset, const char (&tag)[5]) const {
        return std::memcmp(data + offset, tag, 4) == 0;
    }

private:
    const uint8_t* data;
    size_t size;
};
