#include "library/TableMemory.h"

#include <algorithm>

#include "library/AnonymousMemory.h"

namespace {

constexpr uint64_t kLargestTableBytes = uint64_t(UINT32_MAX) + 1;

} // namespace

bool TableMemory::Place(size_t& size, size_t& offset, size_t align, size_t rowSize,
                        uint64_t count) {
    if (count > kLargestTableBytes / rowSize)
        return false;
    const size_t aligned = (size + align - 1) / align * align;
    const uint64_t tableBytes = count * rowSize;
    if (aligned < size || tableBytes > SIZE_MAX - aligned)
        return false;
    offset = aligned;
    size = aligned + static_cast<size_t>(tableBytes);
    return true;
}

bool TableMemory::Map(size_t size, Mapping mapping, bool hugePages) {
    if (bytes && size <= length && reusable && mapping == Mapping::Reused)
        return true;
    Release();
    // A mapping is never empty; tables of no rows still get a pointer.
    const size_t mapped = std::max<size_t>(size, 1);
    bytes = MapAnonymousMemory(mapped, hugePages);
    length = bytes ? mapped : 0;
    reusable = mapping == Mapping::Reused;
    return bytes != nullptr;
}

void TableMemory::KeepOnSmallPages(bool fewRows, void* rows, size_t size) {
    if (fewRows)
        AdviseSmallPages(static_cast<uint8_t*>(rows), size);
}

void TableMemory::Release() {
    UnmapAnonymousMemory(bytes, length);
    bytes = nullptr;
    length = 0;
}
