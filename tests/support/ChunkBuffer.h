#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/ItunesDbWriter.h"

namespace dbwriter {

// Both databases are trees of chunks with a four-letter tag, a header
// length at 4 and a total length at 8; the writers grow them through this.
class ChunkBuffer {
public:
    std::vector<uint8_t> bytes;

    size_t Begin(const char* tag, uint32_t headerLength) {
        const size_t at = bytes.size();
        bytes.resize(at + headerLength, 0);
        for (size_t i = 0; i < 4; ++i)
            bytes[at + i] = uint8_t(tag[i]);
        Put32(bytes, at + 4, headerLength);
        return at;
    }
    // Sets offset 8 to the chunk's total length, children included.
    void End(size_t at) { Put32(bytes, at + 8, uint32_t(bytes.size() - at)); }
    void Set(size_t at, size_t offset, uint32_t value) { Put32(bytes, at + offset, value); }
    void Set16(size_t at, size_t offset, uint16_t value) {
        bytes[at + offset] = uint8_t(value);
        bytes[at + offset + 1] = uint8_t(value >> 8);
    }
    void Append(const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
};

} // namespace dbwriter
