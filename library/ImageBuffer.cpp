#include "library/ImageBuffer.h"

#include <sys/mman.h>
#include <utility>

bool ImageBuffer::Allocate(size_t size) {
    Release();
    void* mapping = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapping == MAP_FAILED)
        return false;
    madvise(mapping, size, MADV_HUGEPAGE); // only a hint; fine when refused
    bytes = static_cast<uint8_t*>(mapping);
    length = size;
    return true;
}

void ImageBuffer::Release() {
    if (bytes)
        munmap(bytes, length);
    bytes = nullptr;
    length = 0;
}

void ImageBuffer::Shrink(size_t size) {
    if (size == 0) {
        Release();
        return;
    }
    if (size >= length)
        return;
    // Shrinking a mapping always stays in place.
    if (mremap(bytes, length, size, 0) != MAP_FAILED)
        length = size;
}

void ImageBuffer::Swap(ImageBuffer& other) {
    std::swap(bytes, other.bytes);
    std::swap(length, other.length);
}
