#include "library/OnTheGoFile.h"

#include <algorithm>

#include "library/EntryFileHeader.h"

namespace {

constexpr size_t kIndexBytes = 4;

} // namespace

std::vector<uint32_t> ReadOnTheGoIndexes(const uint8_t* bytes, size_t size,
                                         const std::string& fileName, std::string& message) {
    const ByteReader reader(bytes, size);
    EntryFileHeader file;
    std::string why;
    // Early firmware leaves the entry length 0; its entries are the same
    // 32-bit indexes.
    if (!ReadEntryFileHeader(reader, size, "mhpo", kIndexBytes, kIndexBytes, file, why)) {
        message += fileName + " ignored: " + why + "\r\n";
        return {};
    }
    const uint64_t usable = std::min<uint64_t>(file.count, file.fitting);
    std::vector<uint32_t> indexes(static_cast<size_t>(usable));
    for (uint64_t i = 0; i < usable; ++i)
        indexes[i] = reader.U32(file.headerLength + size_t(i) * file.entryLength);
    if (usable < file.count)
        message += fileName + " ignored: from entry " + std::to_string(usable) + " of " +
                   std::to_string(file.count) + ", past the file's end\r\n";
    return indexes;
}
