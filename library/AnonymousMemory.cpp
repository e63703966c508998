#include "library/AnonymousMemory.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

size_t RoundUp(size_t size, size_t unit) {
    return (size + unit - 1) / unit * unit;
}

bool OnHugePages(size_t size) {
    return size >= kHugePage / 2 && size <= SIZE_MAX - 2 * kHugePage;
}

size_t MappingLength(size_t size) {
    static const size_t page = size_t(sysconf(_SC_PAGESIZE));
    return RoundUp(size, OnHugePages(size) ? kHugePage : page);
}

void* MapPrivate(size_t length) {
    return mmap(nullptr, length, PROT_READ | PROT_WRITE,
                MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
}

// Maps a huge page more than needed and gives back the ends that stick out
// of the aligned middle.
void* MapAligned(size_t length) {
    void* wide = MapPrivate(length + kHugePage);
    if (wide == MAP_FAILED)
        return wide;
    auto* start = static_cast<uint8_t*>(wide);
    auto* aligned =
        reinterpret_cast<uint8_t*>(RoundUp(reinterpret_cast<uintptr_t>(start), kHugePage));
    if (aligned > start)
        munmap(start, size_t(aligned - start));
    if (const size_t tail = size_t(start + kHugePage - aligned); tail > 0)
        munmap(aligned + length, tail);
    return aligned;
}

} // namespace

void AdviseSmallPages(uint8_t* bytes, size_t size) {
    static const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = RoundUp(reinterpret_cast<uintptr_t>(bytes), page);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(bytes) + size) / page * page;
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_NOHUGEPAGE);
}

uint8_t* MapAnonymousMemory(size_t size, bool hugePages) {
    const size_t length = MappingLength(size);
    void* mapping = OnHugePages(size) ? MapAligned(length) : MapPrivate(length);
    if (mapping == MAP_FAILED)
        return nullptr;
    auto* bytes = static_cast<uint8_t*>(mapping);
    if (hugePages) {
        // Only whole huge pages of what was asked; the rest on small pages,
        // as a huge page there would be cleared and taken whole for a part.
        const size_t whole = size / kHugePage * kHugePage;
        madvise(bytes, whole, MADV_HUGEPAGE); // only a hint; fine when refused
        AdviseSmallPages(bytes + whole, length - whole);
    }
    return bytes;
}

void UnmapAnonymousMemory(uint8_t* bytes, size_t size) {
    if (bytes)
        munmap(bytes, MappingLength(size));
}

void ShrinkAnonymousMemory(uint8_t* bytes, size_t size, size_t smaller) {
    const size_t length = MappingLength(size);
    const size_t kept = MappingLength(smaller);
    if (bytes && kept < length)
        munmap(bytes + kept, length - kept);
}
