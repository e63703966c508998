#include "library/ImageBuffer.h"

#include "library/AnonymousMemory.h"
#include "library/ReadFaultGuard.h"

#include <sys/mman.h>
#include <utility>

bool ImageBuffer::Allocate(size_t size) {
    Release();
    bytes = MapAnonymousMemory(size);
    length = bytes ? size : 0;
    return bytes != nullptr;
}

bool ImageBuffer::MapFile(int fd, size_t size) {
    Release();
    void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapping == MAP_FAILED)
        return false;
    guard = GuardRange(mapping, size);
    if (guard < 0) {
        munmap(mapping, size);
        return false;
    }
    // The walks go front to back, once each: read ahead for them.
    madvise(mapping, size, MADV_SEQUENTIAL);
    bytes = static_cast<uint8_t*>(mapping);
    length = size;
    return true;
}

bool ImageBuffer::Faulted() const {
    return guard >= 0 && RangeFaulted(guard);
}

void ImageBuffer::Release() {
    if (guard >= 0) {
        UnguardRange(guard);
        munmap(bytes, length);
    } else {
        UnmapAnonymousMemory(bytes, length);
    }
    guard = -1;
    bytes = nullptr;
    length = 0;
}

void ImageBuffer::Shrink(size_t size) {
    if (size == 0) {
        Release();
        return;
    }
    // A mapped file keeps its guard's range, and is never shrunk.
    if (size >= length || guard >= 0)
        return;
    ShrinkAnonymousMemory(bytes, length, size);
    length = size;
}

void ImageBuffer::Swap(ImageBuffer& other) {
    std::swap(bytes, other.bytes);
    std::swap(length, other.length);
    std::swap(guard, other.guard);
}
