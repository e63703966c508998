#include "library/OnTheGoFile.h"

#include <algorithm>

#include "library/ByteReader.h"

namespace {

constexpr size_t kHeaderLength = 4;
constexpr size_t kEntryLength = 8;
constexpr size_t kEntryCount = 12;
constexpr size_t kHeaderFixed = 16;
constexpr size_t kIndexBytes = 4;

} // namespace

std::vector<uint32_t> ReadOnTheGoIndexes(const uint8_t* bytes, size_t size,
                                         const std::string& fileName, std::string& message) {
    const ByteReader reader(bytes, size);
    auto ignored = [&](const std::string& why) {
        message += fileName + " ignored: " + why + "\r\n";
    };
    if (!reader.Has(0, kHeaderFixed) || !reader.TagIs(0, "mhpo")) {
        ignored(size == 0 ? "empty" : "no mhpo header");
        return {};
    }
    const size_t header = reader.U32(kHeaderLength);
    // Early firmware leaves the entry length 0; its entries are the same
    // 32-bit indexes.
    const size_t entryLength =
        reader.U32(kEntryLength) == 0 ? kIndexBytes : reader.U32(kEntryLength);
    const uint32_t count = reader.U32(kEntryCount);
    if (header < kHeaderFixed || header > size) {
        ignored("header length " + std::to_string(header));
        return {};
    }
    if (entryLength < kIndexBytes) {
        ignored("entry length " + std::to_string(entryLength));
        return {};
    }
    const uint64_t fitting = (size - header) / entryLength;
    const uint64_t usable = std::min<uint64_t>(count, fitting);
    std::vector<uint32_t> indexes(static_cast<size_t>(usable));
    for (uint64_t i = 0; i < usable; ++i)
        indexes[i] = reader.U32(header + size_t(i) * entryLength);
    if (usable < count)
        ignored("from entry " + std::to_string(usable) + " of " + std::to_string(count) +
                ", past the file's end");
    return indexes;
}
