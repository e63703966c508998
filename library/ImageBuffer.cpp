#include "library/ImageBuffer.h"

#include <sys/mman.h>

bool ImageBuffer::Allocate(size_t size) {
    Release();
    void* mapping = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
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
